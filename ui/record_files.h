// "Open record..." and "Save record as...": a game record in PDN, its file chosen in the desktop's
// file chooser, read into the game or written from it.
#pragma once

#include <gtkmm/filechoosernative.h>
#include <gtkmm/window.h>

#include <functional>
#include <string>

#include "game/game.h"
#include "game/pdn.h"

namespace zarvo {

// The record files of the window's game, and the day that game began, which its record names.
class RecordFiles {
  public:
    // `opened` takes the first game of a file read; `refused` the line that says why a file
    // could not be read or written, for the status line.
    RecordFiles(Gtk::Window& parent, const Game& game, std::function<void(const PdnGame&)> opened,
                std::function<void(const std::string&)> refused);

    // Asks for a record to open; refused while the computer thinks, then or when it is chosen.
    void open();
    // Asks where to save the game's record; only once a game has begun.
    void save();
    // Whether there is a game to save a record of.
    bool can_save() const;

    // Notes the day the game in progress began: today, or the day a record names.
    void game_began(std::string date = {});

  private:
    // A chooser for PDN files, in the folder the game runs in.
    Glib::RefPtr<Gtk::FileChooserNative> chooser(const Glib::ustring& title,
                                                 Gtk::FileChooserAction action,
                                                 const Glib::ustring& accept);

    Gtk::Window& parent_;
    const Game& game_;
    std::function<void(const PdnGame&)> opened_;
    std::function<void(const std::string&)> refused_;
    // The chooser while it is open.
    Glib::RefPtr<Gtk::FileChooserNative> chooser_;
    // As PDN writes it ("2024.03.09"); empty before any game.
    std::string date_;
};

}  // namespace zarvo
