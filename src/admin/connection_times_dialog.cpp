#include "admin/connection_times_dialog.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "admin/connection_times_ids.h"
#include "connect/schedule_times.h"
#include "frame/profile.h"
#include "resources/admin_ids.h"
#include "ui/gdi.h"

namespace admin {
namespace {

constexpr ui::Tip kTips[] = {
    {IDC_TIMES_FIRST_TIME, "Enter new connection time"},
    {IDC_TIMES_SECOND_TIME, "Enter new connection time"},
    {IDC_TIMES_FIRST_LIST, "Schedule one connection times"},
    {IDC_TIMES_SECOND_LIST, "Schedule two connection times"},
    {IDC_TIMES_FIRST_ADD, "Save new connection time"},
    {IDC_TIMES_SECOND_ADD, "Save new connection time"},
    {IDC_TIMES_FIRST_DELETE, "Remove connection time"},
    {IDC_TIMES_SECOND_DELETE, "Remove connection time"},
    {IDC_TIMES_FIRST_SUN, "Connect on these days"},
    {IDC_TIMES_FIRST_MON, "Connect on these days"},
    {IDC_TIMES_FIRST_TUE, "Connect on these days"},
    {IDC_TIMES_FIRST_WED, "Connect on these days"},
    {IDC_TIMES_FIRST_THU, "Connect on these days"},
    {IDC_TIMES_FIRST_FRI, "Connect on these days"},
    {IDC_TIMES_FIRST_SAT, "Connect on these days"},
    {IDC_TIMES_SECOND_SUN, "Connect on these days"},
    {IDC_TIMES_SECOND_MON, "Connect on these days"},
    {IDC_TIMES_SECOND_TUE, "Connect on these days"},
    {IDC_TIMES_SECOND_WED, "Connect on these days"},
    {IDC_TIMES_SECOND_THU, "Connect on these days"},
    {IDC_TIMES_SECOND_FRI, "Connect on these days"},
    {IDC_TIMES_SECOND_SAT, "Connect on these days"},
};

// The controls of one set; its seven day boxes are numbered from Sunday.
struct SetControls {
    int sunday, list, time, spin, add, remove;
};
constexpr SetControls kSets[2] = {
    {IDC_TIMES_FIRST_SUN, IDC_TIMES_FIRST_LIST, IDC_TIMES_FIRST_TIME, IDC_TIMES_FIRST_SPIN, IDC_TIMES_FIRST_ADD,
     IDC_TIMES_FIRST_DELETE},
    {IDC_TIMES_SECOND_SUN, IDC_TIMES_SECOND_LIST, IDC_TIMES_SECOND_TIME, IDC_TIMES_SECOND_SPIN, IDC_TIMES_SECOND_ADD,
     IDC_TIMES_SECOND_DELETE},
};
constexpr int kDays = 7;
// A day of the first set and the same day of the second lie this far apart.
constexpr int kOtherSet = IDC_TIMES_SECOND_SUN - IDC_TIMES_FIRST_SUN;
constexpr char kFirstTime[] = "08:00";

class ConnectionTimesDialog final : public ui::ModalDialog {
public:
    ConnectionTimesDialog() : ModalDialog(kConnectionTimesDialog) {}

protected:
    bool onOpen() override {
        clock_ = ui::loadMaskedPicture(IDB_CLOCK, IDB_CLOCK_MASK);
        for (int s = 0; s < 2; ++s) {
            const SetControls& set = kSets[s];
            for (int d = 0; d < kDays; ++d) {
                cfg::IntKey day = cfg::kTimeSetDaysShown[s][d];
                button(set.sunday + d).check(util::read(day, s) == 1);
            }
            for (const std::string& entry : util::splitTimes(util::read(cfg::kTimeSetTimes, s)))
                addTime(set, entry);
            listBox(set.list).select(0);
            item(set.time).setText(kFirstTime);
            // The spins only report steps: their position never reaches an end.
            upDown(set.spin).setRange(0, 100);
            upDown(set.spin).setPosition(50);
        }
        return true;
    }

    void onControl(int id, int code) override {
        if (code != BN_CLICKED) return;
        for (const SetControls& set : kSets) {
            if (id >= set.sunday && id < set.sunday + kDays && button(id).checked()) {
                int other = id < IDC_TIMES_SECOND_SUN ? id + kOtherSet : id - kOtherSet;
                button(other).check(false);
            }
            if (id == set.add) addTime(set, item(set.time).text());
            if (id == set.remove) listBox(set.list).removeSelected();
        }
    }

    bool onNotify(const NMHDR& header, LRESULT& result) override {
        if (header.code != UDN_DELTAPOS) return false;
        for (const SetControls& set : kSets) {
            if (static_cast<int>(header.idFrom) != set.spin) continue;
            int delta = reinterpret_cast<const NMUPDOWN&>(header).iDelta;
            item(set.time).setText(util::stepQuarter(item(set.time).text(), delta > 0 ? 1 : -1));
            result = TRUE;  // the text is the value; the position stays
            return true;
        }
        return false;
    }

    void onDrawItem(const DRAWITEMSTRUCT& item) override {
        if (item.itemID == static_cast<UINT>(-1)) return;
        std::string text = ui::ListBox(item.hwndItem).itemText(static_cast<int>(item.itemID));
        ui::drawPictureItem(item, clock_, text.c_str());
    }

    void onOk() override {
        bool anyDay = false;
        for (const SetControls& set : kSets)
            for (int d = 0; d < kDays; ++d) anyDay = anyDay || button(set.sunday + d).checked();
        if (!anyDay) {
            refuse("Please set at least one day...", IDC_TIMES_FIRST_SUN);
            return;
        }
        if (listBox(IDC_TIMES_FIRST_LIST).count() == 0 && listBox(IDC_TIMES_SECOND_LIST).count() == 0) {
            refuse("Please enter at least one connection time...", IDC_TIMES_FIRST_TIME, true);
            return;
        }
        for (int s = 0; s < 2; ++s) {
            const SetControls& set = kSets[s];
            util::eraseSection(cfg::kTimeSet, s);
            for (int d = 0; d < kDays; ++d)
                util::write(cfg::kTimeSetDays[d], button(set.sunday + d).checked() ? 1 : 0, s);
            util::write(cfg::kTimeSetTimes, util::joinTimes(times(set)), s);
        }
        close(IDOK);
    }

private:
    std::vector<std::string> times(const SetControls& set) const {
        ui::ListBox list = listBox(set.list);
        std::vector<std::string> entries;
        for (int i = 0; i < list.count(); ++i) entries.push_back(list.itemText(i));
        return entries;
    }

    // A time joins its list in time order, once; either way it is selected.
    void addTime(const SetControls& set, const std::string& entry) const {
        if (entry.empty()) return;
        ui::ListBox list = listBox(set.list);
        int index = list.findExact(entry);
        if (index == LB_ERR) index = list.insert(static_cast<int>(util::timeOrderPosition(times(set), entry)), entry);
        list.select(index);
    }

    ui::MaskedPicture clock_;
};

}  // namespace

const ui::WindowDefinition kConnectionTimesDialog{IDD_CONNECTION_TIMES, kTips};

INT_PTR runConnectionTimesDialog(HWND owner) {
    ConnectionTimesDialog dialog;
    return dialog.run(owner);
}

}  // namespace admin
