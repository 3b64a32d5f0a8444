// The dialogs of the Options and Help menus, each modal over the main window.
#pragma once

namespace Gtk {
class Window;
}

namespace zarvo {

class Game;

// "Set options": level and who moves first for the next game; refused while the computer thinks.
void open_options_dialog(Gtk::Window& parent, Game& game);

// "Set variant": the rule variant of the next game; refused while the computer thinks.
void open_variant_dialog(Gtk::Window& parent, Game& game);

// "About": the game's name, version and address; available at any time.
void open_about_dialog(Gtk::Window& parent);

// "Rules": the rules of both variants in a scrolled view; available at any time.
void open_rules_dialog(Gtk::Window& parent);

}  // namespace zarvo
