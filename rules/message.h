// Texts for people kept apart from their language: the engine and the game say what they mean in
// English formats that the window and the command line turn into the player's language.
#pragma once

#include <string>
#include <variant>
#include <vector>

// Marks an English text for the translation tools without translating it here; whoever shows
// the text to a person translates it.
#define N_(text) text

namespace zarvo {

// Turns an English format into the player's language (gettext, say); nothing leaves it as is.
using Translator = const char* (*)(const char* english);

// A text for people: an English format marked with N_, whose places {1}, {2}, ... are filled by
// the arguments in that order, each a plain word (a square, a number, a quotation) or a message of
// its own.
class Message {
  public:
    Message() = default;
    Message(const char* format, std::vector<std::variant<std::string, Message>> arguments = {})
        : format_(format), arguments_(std::move(arguments)) {}

    // The text, in English or, with a translator, in the player's language.
    std::string text(Translator translate = nullptr) const;

  private:
    const char* format_ = "";
    std::vector<std::variant<std::string, Message>> arguments_;
};

}  // namespace zarvo
