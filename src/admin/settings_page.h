// The pages of "Server Settings" and of the setup wizard as data. A page is
// its window's definition (template, tips, bound settings, enabling rules,
// entry checks: ui::WindowDefinition, the shape every window of the library
// has) and, for a sheet page, a line of the list of pages (admin/page_list.h:
// title, icon, help topic); a behaviour class adds only what data cannot
// say. SettingsPage turns the row into a working page: it shows the icon,
// loads and saves the bindings, reports changes, keeps the enabling rules,
// refuses bad entries and opens the help topic.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "admin/page_list.h"
#include "ui/sheet.h"

namespace admin {

class SettingsPage;

// A page as the sheet or the wizard shows it.
struct PageRow {
    const char* title;
    int icon;
    const char* help;  // a topic of the help file
    const ui::WindowDefinition& window;
};

// What a page's own file declares: its window and, where data cannot say
// everything, its behaviour class (behaviour<ThePage>).
struct PageDefinition {
    ui::WindowDefinition window;
    std::unique_ptr<SettingsPage> (*behaviour)(const PageRow&) = nullptr;
};

template <class Behaviour>
std::unique_ptr<SettingsPage> behaviour(const PageRow& row) {
    return std::make_unique<Behaviour>(row);
}

// Every page of the list, defined in its own file (admin/<name>_page.cpp).
namespace pages {
#define UTIL_DECLARE_PAGE(name, title, icon, help) extern const PageDefinition name;
UTIL_SETTINGS_PAGES(UTIL_DECLARE_PAGE)
#undef UTIL_DECLARE_PAGE
}  // namespace pages

// The sheet's pages, in the list's order.
std::span<const PageRow> pageTable();

class SettingsPage : public ui::Page {
public:
    explicit SettingsPage(const PageRow& row) : Page(row.window), row_(row) {}
    PROPSHEETPAGEA describe() { return Page::describe(row_.title); }

protected:
    const PageRow& row() const { return row_; }

    // Behaviour hooks. onOpen runs after the bindings are loaded.
    virtual bool onOpen() { return true; }
    virtual void onUserCommand(int /*id*/, int /*code*/) {}
    // Checks beyond the definition's, after them.
    virtual std::optional<ui::Refusal> check() { return std::nullopt; }
    // Writes what the bindings do not, after them.
    virtual bool write() { return true; }
    // Whether a ruled control may be live at all now (e.g. only while a
    // record is edited).
    virtual bool allows(int /*control*/) const { return true; }

    // Enables each ruled control by the definition's rules and allows().
    void refreshEnabling() const;
    // Runs the help topic through "hh.exe".
    void openHelp() const;

    bool onApply() override;

private:
    bool onStart() final;
    void onSetActive() override;
    std::optional<ui::Refusal> validate() final;
    void onHelp() final { openHelp(); }
    void onControl(int id, int code) final;

    const PageRow& row_;
};

// The names of the local mailboxes (mailbox0, mailbox1, ... up to the first
// without a name key; an empty name is left out), for the pages' user lists.
std::vector<std::string> accountNames();

// Makes the sheet's page at this position: its behaviour class, or a plain
// page.
std::unique_ptr<SettingsPage> makePage(std::size_t index);

}  // namespace admin
