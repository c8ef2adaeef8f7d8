// The list-plus-details editor that many windows share: a list of records,
// New, Edit, Delete, Move Up and Move Down beside it, and a details area
// with Save and Cancel below. Browsing, the list's buttons are live and the
// details show the selected record, read-only; editing, only the details
// and Save and Cancel are. The window keeps the records in the editor while
// it is open and writes them when its own rules say so (see writeNumbered).
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "ui/controls.h"

namespace ui {

struct RecordEditorControls {
    int list = 0;
    int add = 0, edit = 0, remove = 0, up = 0, down = 0, save = 0, cancel = 0;  // 0: none
    std::span<const int> browsing{};  // further controls live only while browsing
    std::span<const int> editing{};   // the details: live only while editing
};

// Where Save puts a new record.
enum class NewRecordAt { End, Top };

template <class Record>
class RecordEditor {
public:
    // What the window supplies.
    struct Delegate {
        virtual ~Delegate() = default;
        virtual std::string display(const Record& r) const = 0;
        // Shows a record in the details, or a new record's defaults.
        virtual void showRecord(const Record& r) = 0;
        virtual void showFresh() = 0;
        // The details as a record, or nothing when refused (the window has
        // said why and placed the focus).
        virtual std::optional<Record> collect(bool adding) = 0;
        // The records changed (report it to the sheet).
        virtual void changed() = 0;
        // The mode changed: re-apply enabling rules that depend on it.
        virtual void modeChanged() {}
        // Editing has begun: place the focus in the details.
        virtual void focusDetails(bool /*adding*/) {}
    };

    RecordEditor(const RecordEditorControls& controls, NewRecordAt newAt = NewRecordAt::End)
        : controls_(controls), newAt_(newAt) {}

    void attach(HWND window, Delegate& delegate) {
        window_ = window;
        delegate_ = &delegate;
    }

    // Fills the list, selects the first record and browses.
    void load(std::vector<Record> records) {
        records_ = std::move(records);
        list().clear();
        for (const Record& r : records_) list().add(delegate_->display(r));
        list().select(0);
        browse();
    }

    const std::vector<Record>& records() const { return records_; }
    bool editing() const { return editing_; }
    bool adding() const { return adding_; }
    int selection() const { return list().selection(); }
    const Record* selected() const { return at(selection()); }
    const Record* at(int index) const {
        return index >= 0 && static_cast<std::size_t>(index) < records_.size() ? &records_[static_cast<std::size_t>(index)]
                                                                            : nullptr;
    }

    // Whether a control may be live in the current mode.
    bool allows(int control) const {
        for (int id : browsingControls())
            if (id == control) return !editing_;
        for (int id : controls_.editing)
            if (id == control) return editing_;
        if (control == controls_.save || control == controls_.cancel) return editing_;
        return true;
    }

    // A command of the window; true when it was the editor's.
    bool onCommand(int id, int code) {
        if (id == controls_.list) {
            if (code == LBN_SELCHANGE && !editing_) showSelected();
            if (code == LBN_DBLCLK && controls_.edit) beginEdit();
            return true;
        }
        if (code != BN_CLICKED || id == 0) return false;
        if (id == controls_.add) {
            beginAdd();
        } else if (id == controls_.edit) {
            beginEdit();
        } else if (id == controls_.remove) {
            removeSelected();
        } else if (id == controls_.up) {
            move(-1);
        } else if (id == controls_.down) {
            move(+1);
        } else if (id == controls_.save) {
            save();
        } else if (id == controls_.cancel) {
            browse();
        } else {
            return false;
        }
        return true;
    }

    // Replaces the record at index (its line too) and reports the change.
    void replace(int index, Record record) {
        if (!at(index)) return;
        records_[static_cast<std::size_t>(index)] = std::move(record);
        list().remove(index);
        list().insert(index, delegate_->display(records_[static_cast<std::size_t>(index)]));
        list().select(index);
        delegate_->changed();
    }

    void beginAdd() {
        adding_ = true;
        setMode(true);
        delegate_->showFresh();
        delegate_->focusDetails(true);
    }

    void beginEdit() {
        if (!selected()) return;
        adding_ = false;
        setMode(true);
        delegate_->focusDetails(false);
    }

    // Back to browsing, showing the selected record.
    void browse() {
        adding_ = false;
        setMode(false);
        showSelected();
    }

    void removeSelected() {
        int index = selection();
        if (!at(index)) return;
        records_.erase(records_.begin() + index);
        list().remove(index);
        int count = static_cast<int>(records_.size());
        if (count > 0) list().select(index < count ? index : count - 1);
        showSelected();
        delegate_->changed();
    }

    void move(int step) {
        int from = selection();
        int to = from + step;
        if (!at(from) || !at(to)) return;
        std::swap(records_[static_cast<std::size_t>(from)], records_[static_cast<std::size_t>(to)]);
        list().remove(from);
        list().insert(to, delegate_->display(records_[static_cast<std::size_t>(to)]));
        list().select(to);
        delegate_->changed();
    }

    void save() {
        std::optional<Record> r = delegate_->collect(adding_);
        if (!r) return;
        int index = selection();
        int at;
        if (adding_ || !this->at(index)) {
            at = newAt_ == NewRecordAt::Top ? 0 : static_cast<int>(records_.size());
            records_.insert(records_.begin() + at, std::move(*r));
        } else {
            at = index;
            records_[static_cast<std::size_t>(at)] = std::move(*r);
            list().remove(at);
        }
        list().insert(at, delegate_->display(records_[static_cast<std::size_t>(at)]));
        list().select(at);
        delegate_->changed();
        browse();
    }

private:
    ListBox list() const { return ListBox(GetDlgItem(window_, controls_.list)); }

    std::vector<int> browsingControls() const {
        std::vector<int> ids(controls_.browsing.begin(), controls_.browsing.end());
        for (int id : {controls_.list, controls_.add, controls_.edit, controls_.remove, controls_.up, controls_.down})
            if (id) ids.push_back(id);
        return ids;
    }

    void showSelected() {
        if (const Record* r = selected()) {
            delegate_->showRecord(*r);
        } else {
            delegate_->showFresh();
        }
    }

    void setMode(bool editing) {
        editing_ = editing;
        for (int id : browsingControls()) EnableWindow(GetDlgItem(window_, id), editing ? FALSE : TRUE);
        for (int id : controls_.editing) EnableWindow(GetDlgItem(window_, id), editing ? TRUE : FALSE);
        for (int id : {controls_.save, controls_.cancel})
            if (id) EnableWindow(GetDlgItem(window_, id), editing ? TRUE : FALSE);
        delegate_->modeChanged();
    }

    RecordEditorControls controls_;
    NewRecordAt newAt_;
    HWND window_ = nullptr;
    Delegate* delegate_ = nullptr;
    std::vector<Record> records_;
    bool editing_ = false;
    bool adding_ = false;
};

// Reads a numbered family of records from 0 until read gives nothing (at
// most limit).
template <class Record>
std::vector<Record> readNumbered(int limit, const std::function<std::optional<Record>(int)>& read) {
    std::vector<Record> records;
    for (int i = 0; i < limit; ++i) {
        std::optional<Record> r = read(i);
        if (!r) break;
        records.push_back(std::move(*r));
    }
    return records;
}

}  // namespace ui
