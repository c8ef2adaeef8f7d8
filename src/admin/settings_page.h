// The pages of "Server Settings" as data. A page is one row of the page
// table (page_table.cpp): its tab title, template, icon, help topic, tips,
// bound settings, enabling rules and entry checks; a behaviour class adds
// only what data cannot say. SettingsPage turns the row into a working
// page: it shows the icon, loads and saves the bindings, reports changes,
// keeps the enabling rules, refuses bad entries and opens the help topic.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "ui/bindings.h"
#include "ui/sheet.h"

namespace admin {

class SettingsPage;

// An entry that must pass before the page may be left or applied; checked
// in order, only while its control is enabled.
struct FieldCheck {
    int control;
    bool (*accepts)(const std::string& text);
    const char* message;
    bool selectText = false;
};

struct PageRow {
    const char* title;
    int dialog;
    int icon;
    const char* help;  // a topic of frame/help_topics.h
    std::span<const ui::Tip> tips{};
    std::span<const ui::Binding> bindings{};
    std::span<const ui::EnableRule> rules{};
    std::span<const FieldCheck> checks{};
    // The page's own behaviour; null for a page that data says whole.
    std::unique_ptr<SettingsPage> (*behaviour)(const PageRow&) = nullptr;
};

// The sixteen pages in the sheet's order.
std::span<const PageRow> pageTable();

class SettingsPage : public ui::Page {
public:
    explicit SettingsPage(const PageRow& row) : row_(row), bound_(row.bindings, row.rules) {}
    PROPSHEETPAGEA describe() { return Page::describe(row_.title, row_.dialog); }

protected:
    const PageRow& row() const { return row_; }

    // Behaviour hooks. onOpen runs after the bindings are loaded.
    virtual bool onOpen() { return true; }
    virtual void onUserCommand(int /*id*/, int /*code*/) {}
    // Checks beyond the row's, after them.
    virtual std::optional<ui::Refusal> check() { return std::nullopt; }
    // Writes what the bindings do not, after them.
    virtual bool write() { return true; }
    // Whether a ruled control may be live at all now (e.g. only while a
    // record is edited).
    virtual bool allows(int /*control*/) const { return true; }

    void saveBindings() const { bound_.save(hwnd_); }
    // Enables each ruled control by the row's rules and allows().
    void refreshEnabling() const;
    // Runs the help topic through "hh.exe".
    void openHelp() const;

    bool onApply() override;
    // The row's tips; a page whose tips follow its state gives its own.
    std::span<const ui::Tip> tips() const override { return row_.tips; }

private:
    bool onStart() final;
    void onSetActive() override;
    std::optional<ui::Refusal> validate() final;
    void onHelp() final { openHelp(); }
    void onControl(int id, int code) final;

    const PageRow& row_;
    ui::BindingSet bound_;
};

// The names of the local mailboxes (mailbox0, mailbox1, ... up to the first
// without a name key; an empty name is left out), for the pages' user lists.
std::vector<std::string> accountNames();

// Makes the page of a row: its behaviour class, or a plain page.
std::unique_ptr<SettingsPage> makePage(const PageRow& row);

}  // namespace admin
