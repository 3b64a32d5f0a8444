// The window's commands as actions, the way GTK programs hold them: each command is an action of
// the application ("app.quit") or of the window ("win.hint") with its keys, its menu item and the
// rule that says when it can act; the menu bar is made from the menus' model, and the check
// items show the state of their actions.
#pragma once

#include <giomm/menu.h>
#include <giomm/simpleaction.h>
#include <gtkmm/application.h>
#include <gtkmm/menubar.h>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace zarvo {

// The menus of the menu bar, from left to right.
enum class Menu : std::uint8_t { Game, Options, View, Help };

// Which action map holds a command: the application's, for what is not the window's own (quitting,
// the help), or the window's.
enum class Scope : std::uint8_t { Window, Application };

// A command: what it does and when it can act.
struct Command {
    // Without a rule it can always act; without a scope it is the window's.
    Command(const char* name, Glib::ustring label, std::vector<Glib::ustring> keys,
            const char* accessible_id, std::function<void()> run,
            std::function<bool()> enabled = nullptr, Scope scope = Scope::Window)
        : name(name),
          label(std::move(label)),
          keys(std::move(keys)),
          accessible_id(accessible_id),
          run(std::move(run)),
          enabled(std::move(enabled)),
          scope(scope) {}

    // The action's name within its map ("take-back").
    const char* name;
    // The menu item, translated, with "_" before the letter Alt and the open menu reach it by.
    Glib::ustring label;
    // Its keys as GTK writes them ("<Control><Shift>z"); the menu shows the first.
    std::vector<Glib::ustring> keys;
    // A stable name for assistive tools (and the window's tests) to find the menu item by.
    const char* accessible_id;
    std::function<void()> run;
    // Whether it can act now.
    std::function<bool()> enabled;
    Scope scope;
};

// A check item: an action whose state, on or off, is the truth the menu shows ticked.
struct Toggle {
    const char* name = "";
    Glib::ustring label;
    std::vector<Glib::ustring> keys;
    const char* accessible_id = "";
    bool on = false;
    // Called with each new state, once the action holds it.
    std::function<void(bool)> changed;
};

// The commands of the window and the menu bar that shows them. A feature adds its commands as a
// section of a menu, in one call that gives each its action, its item, its keys and its rule;
// sections follow each other in the order they are added, with a separator between two.
class Commands {
  public:
    // Actions go into `application` or into `window` (the window's own action map), keys into
    // the application.
    Commands(const Glib::RefPtr<Gtk::Application>& application, Gio::ActionMap& window);
    // Takes the application's actions back: they act on the window, which goes with this.
    ~Commands();
    Commands(const Commands&) = delete;
    Commands& operator=(const Commands&) = delete;

    using Entry = std::variant<Command, Toggle>;
    // Adds a section at the end of `menu`.
    void add_section(Menu menu, std::vector<Entry> entries);

    // Brings every command's enabled state in line with its rule; called whenever the game or
    // the window may have changed.
    void refresh();

    // A check item's state, and a change to it as if the player had chosen the item (its
    // `changed` runs only when the state does change).
    bool checked(const char* name) const;
    void set_checked(const char* name, bool on);

    Gtk::MenuBar& menu_bar() { return menu_bar_; }

  private:
    // Registers an action with its keys, in the map of its scope.
    void add_action(const Glib::RefPtr<Gio::SimpleAction>& action, Scope scope,
                    const std::vector<Glib::ustring>& keys);
    // Gives the items the toolkit made for `menu` from the model their accessible ids.
    void name_items(Menu menu, const std::vector<Entry>& entries);

    Glib::RefPtr<Gtk::Application> application_;
    Gio::ActionMap& window_;
    std::array<Glib::RefPtr<Gio::Menu>, 4> menus_;
    Glib::RefPtr<Gio::Menu> bar_;
    Gtk::MenuBar menu_bar_;
    struct Rule {
        Glib::RefPtr<Gio::SimpleAction> action;
        std::function<bool()> enabled;
    };
    std::vector<Rule> rules_;
    std::map<std::string, Glib::RefPtr<Gio::SimpleAction>, std::less<>> toggles_;
    std::vector<Glib::ustring> application_actions_;
};

}  // namespace zarvo
