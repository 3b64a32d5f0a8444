// The dialogs of the Options and Help menus, each modal over the main window.
#pragma once

namespace Gtk {
class Window;
}

namespace zarvo {

// "Set options": level and who moves first for the next game; refused while the computer thinks.
void settings(Gtk::Window& parent);

// "Set variant": the rule variant of the next game; refused while the computer thinks.
void setvariant(Gtk::Window& parent);

// "About": the game's name, version and address; available at any time.
void about_message(Gtk::Window& parent);

// "Rules": the rules of both variants in a scrolled view; available at any time.
void rules_message(Gtk::Window& parent);

}  // namespace zarvo
