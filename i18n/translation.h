// The player's language: the texts the two programs show go through gettext, whose catalogues
// (po/*.po, compiled) lie in share/locale beside the program, installed or in the build tree.
#pragma once

#include <libintl.h>

#include "rules/message.h"

// Translates a text marked for the translation tools.
#define _(text) gettext(text)

namespace zarvo {

// The message catalogues' domain.
inline constexpr const char* kTextDomain = "zarvo";

// Takes the language from the environment, as every program does (LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG), and finds the catalogues beside the running program.
void start_translations();

// gettext, as the translator a Message is shown with.
const char* translate(const char* english);

}  // namespace zarvo
