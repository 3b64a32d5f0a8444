#include "ui/commands.h"

#include <gtkmm/menu.h>
#include <gtkmm/menuitem.h>

#include "i18n/translation.h"
#include "ui/modal_dialog.h"

namespace zarvo {

namespace {

// The menu bar's titles and their accessible ids, in the order of Menu.
struct Title {
    const char* label;
    const char* accessible_id;
};
constexpr Title kTitles[] = {{N_("_Game"), "game_menu"},
                             {N_("_Options"), "options_menu"},
                             {N_("_View"), "view_menu"},
                             {N_("_Help"), "help_menu"}};

// The four menus, each an empty submenu of the bar until sections are added.
Glib::RefPtr<Gio::Menu> make_bar(std::array<Glib::RefPtr<Gio::Menu>, 4>& menus) {
    Glib::RefPtr<Gio::Menu> bar = Gio::Menu::create();
    for (std::size_t i = 0; i < menus.size(); ++i) {
        menus[i] = Gio::Menu::create();
        bar->append_submenu(_(kTitles[i].label), menus[i]);
    }
    return bar;
}

const char* prefix(Scope scope) {
    return scope == Scope::Application ? "app." : "win.";
}

}  // namespace

Commands::Commands(const Glib::RefPtr<Gtk::Application>& application, Gio::ActionMap& window)
    : application_(application), window_(window), bar_(make_bar(menus_)), menu_bar_(bar_) {
    // The toolkit makes the bar's items from the model at once, in its order.
    std::size_t i = 0;
    for (Gtk::Widget* title : menu_bar_.get_children()) {
        if (i < std::size(kTitles)) {
            set_accessible_id(*title, kTitles[i++].accessible_id);
        }
    }
}

Commands::~Commands() {
    for (const Glib::ustring& name : application_actions_) {
        application_->remove_action(name);
    }
}

void Commands::add_action(const Glib::RefPtr<Gio::SimpleAction>& action, Scope scope,
                          const std::vector<Glib::ustring>& keys) {
    if (scope == Scope::Application) {
        application_->add_action(action);
        application_actions_.push_back(action->get_name());
    } else {
        window_.add_action(action);
    }
    if (!keys.empty()) {
        application_->set_accels_for_action(prefix(scope) + action->get_name(), keys);
    }
}

void Commands::add_section(Menu menu, std::vector<Entry> entries) {
    const Glib::RefPtr<Gio::Menu> section = Gio::Menu::create();
    for (const Entry& entry : entries) {
        if (const Command* command = std::get_if<Command>(&entry)) {
            const Glib::RefPtr<Gio::SimpleAction> action = Gio::SimpleAction::create(command->name);
            action->signal_activate().connect(
                [run = command->run](const Glib::VariantBase&) { run(); });
            add_action(action, command->scope, command->keys);
            if (command->enabled) {
                rules_.push_back({action, command->enabled});
            }
            section->append(command->label, prefix(command->scope) + Glib::ustring(command->name));
            continue;
        }
        const Toggle& toggle = std::get<Toggle>(entry);
        const Glib::RefPtr<Gio::SimpleAction> action =
            Gio::SimpleAction::create_bool(toggle.name, toggle.on);
        // Choosing the item asks for the other state; the action takes it, then the game does.
        // (The action is not captured by its own handler, which would keep it alive forever.)
        action->signal_change_state().connect(
            [raw = action.get(), changed = toggle.changed](const Glib::VariantBase& value) {
                const bool on = Glib::VariantBase::cast_dynamic<Glib::Variant<bool>>(value).get();
                bool was = false;
                raw->get_state(was);
                if (on == was) {
                    return;
                }
                raw->set_state(value);
                changed(on);
            });
        add_action(action, Scope::Window, toggle.keys);
        toggles_.emplace(toggle.name, action);
        section->append(toggle.label, prefix(Scope::Window) + Glib::ustring(toggle.name));
    }
    menus_[static_cast<std::size_t>(menu)]->append_section(section);
    name_items(menu, entries);
    refresh();
}

void Commands::name_items(Menu menu, const std::vector<Entry>& entries) {
    const std::vector<Gtk::Widget*> titles = menu_bar_.get_children();
    const auto index = static_cast<std::size_t>(menu);
    auto* title = index < titles.size() ? dynamic_cast<Gtk::MenuItem*>(titles[index]) : nullptr;
    Gtk::Menu* items = title != nullptr ? title->get_submenu() : nullptr;
    if (items == nullptr) {
        return;
    }
    // The items are the toolkit's own, made from the model; each is known by its label.
    for (Gtk::Widget* widget : items->get_children()) {
        auto* item = dynamic_cast<Gtk::MenuItem*>(widget);
        if (item == nullptr) {
            continue;
        }
        for (const Entry& entry : entries) {
            const auto [label, id] = std::visit(
                [](const auto& e) { return std::pair(e.label, e.accessible_id); }, entry);
            if (item->get_label() == label) {
                set_accessible_id(*item, id);
            }
        }
    }
}

void Commands::refresh() {
    for (const Rule& rule : rules_) {
        rule.action->set_enabled(rule.enabled());
    }
}

bool Commands::checked(const char* name) const {
    bool on = false;
    if (const auto found = toggles_.find(name); found != toggles_.end()) {
        found->second->get_state(on);
    }
    return on;
}

void Commands::set_checked(const char* name, bool on) {
    if (const auto found = toggles_.find(name); found != toggles_.end()) {
        found->second->change_state(on);
    }
}

}  // namespace zarvo
