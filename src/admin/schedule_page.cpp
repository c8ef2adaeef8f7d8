// The "Schedule" page's behaviour: the hour edits and their spins, Apply's
// checks and writes, and "Set Times". How the page loads, reports changes
// and enables its controls by the schedule type is its definition.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <optional>
#include <string>

#include "admin/connection_times_dialog.h"
#include "admin/schedule_ids.h"
#include "admin/settings_page.h"
#include "connect/schedule_times.h"
#include "frame/profile.h"

namespace admin {
namespace {

constexpr ui::Tip kScheduleTips[] = {
    {IDC_SCHED_MANUAL, "User decides when to connect"},
    {IDC_SCHED_INTERVAL, "Connect every so often"},
    {IDC_SCHED_TIMES, "Connect at certain times"},
    {IDC_SCHED_MINUTES, "Number of minutes between connections"},
    {IDC_SCHED_URGENT, "Connect when a user sends an urgent message"},
    {IDC_SCHED_START, "Time connections start at"},
    {IDC_SCHED_END, "Time connections end at"},
    {IDC_SCHED_SUN, "Enable connections on this day"},
    {IDC_SCHED_MON, "Enable connections on this day"},
    {IDC_SCHED_TUE, "Enable connections on this day"},
    {IDC_SCHED_WED, "Enable connections on this day"},
    {IDC_SCHED_THU, "Enable connections on this day"},
    {IDC_SCHED_FRI, "Enable connections on this day"},
    {IDC_SCHED_SAT, "Enable connections on this day"},
    {IDC_SCHED_SET_TIMES, "Enter the times to connect at"},
};
constexpr ui::RadioChoice kScheduleTypes[] = {{IDC_SCHED_MANUAL, 0}, {IDC_SCHED_INTERVAL, 1}, {IDC_SCHED_TIMES, 2}};
// The days and the interval are written only with the interval schedule.
constexpr ui::Binding scheduleDay(int day) {
    return ui::writtenWhile(ui::check(IDC_SCHED_SUN + day, cfg::kScheduleDaysShown[day]), IDC_SCHED_INTERVAL);
}
constexpr ui::Binding kScheduleBindings[] = {
    scheduleDay(0), scheduleDay(1), scheduleDay(2), scheduleDay(3), scheduleDay(4), scheduleDay(5), scheduleDay(6),
    ui::writtenWhile(ui::number(IDC_SCHED_MINUTES, cfg::kScheduleInterval, 3, 1440, IDC_SCHED_MINUTES_SPIN),
                     IDC_SCHED_INTERVAL),
    ui::radio(cfg::kScheduleType, kScheduleTypes),
    ui::check(IDC_SCHED_URGENT, cfg::kSchedulePriority),
};
constexpr int kScheduleIntervalControls[] = {
    IDC_SCHED_MINUTES, IDC_SCHED_MINUTES_SPIN, IDC_SCHED_START, IDC_SCHED_START_SPIN, IDC_SCHED_END, IDC_SCHED_END_SPIN,
    IDC_SCHED_LBL_MINUTES, IDC_SCHED_LBL_AND, IDC_SCHED_LBL_DAYS, IDC_SCHED_SUN, IDC_SCHED_MON, IDC_SCHED_TUE,
    IDC_SCHED_WED, IDC_SCHED_THU, IDC_SCHED_FRI, IDC_SCHED_SAT};
constexpr int kScheduleTimesControls[] = {IDC_SCHED_SET_TIMES};
constexpr int kScheduleAutomaticControls[] = {IDC_SCHED_URGENT};
constexpr ui::EnableRule kScheduleRules[] = {
    {IDC_SCHED_INTERVAL, kScheduleIntervalControls},
    {IDC_SCHED_TIMES, kScheduleTimesControls},
    {IDC_SCHED_MANUAL, kScheduleAutomaticControls, true},
};

constexpr int kDays = 7;  // IDC_SCHED_SUN to IDC_SCHED_SAT

// An hour edit and its spin: the hours it may show.
struct HourSpin {
    int spin, edit, low, high;
};
constexpr HourSpin kHourSpins[] = {{IDC_SCHED_START_SPIN, IDC_SCHED_START, 0, 22},
                                   {IDC_SCHED_END_SPIN, IDC_SCHED_END, 1, 24}};

class SchedulePage final : public SettingsPage {
public:
    using SettingsPage::SettingsPage;

protected:
    bool onOpen() override {
        item(IDC_SCHED_START).setText(util::clockText(util::read(cfg::kScheduleFromHour), 0));
        item(IDC_SCHED_END).setText(util::clockText(util::read(cfg::kScheduleUntilHour), 0));
        for (const HourSpin& h : kHourSpins) {
            // The spins only report steps: their position never reaches an end.
            upDown(h.spin).setRange(0, 100);
            upDown(h.spin).setPosition(50);
        }
        return true;
    }

    void onUserCommand(int id, int code) override {
        if (id == IDC_SCHED_SET_TIMES && code == BN_CLICKED && runConnectionTimesDialog(hwnd_) == IDOK) changed();
    }

    bool onControlNotify(const NMHDR& header, LRESULT& result) override {
        if (header.code != UDN_DELTAPOS) return false;
        for (const HourSpin& h : kHourSpins) {
            if (static_cast<int>(header.idFrom) != h.spin) continue;
            int delta = reinterpret_cast<const NMUPDOWN&>(header).iDelta;
            item(h.edit).setText(util::stepHour(item(h.edit).text(), delta > 0 ? 1 : -1, h.low, h.high));
            changed();
            result = TRUE;  // the text is the value; the position stays
            return true;
        }
        return false;
    }

    std::optional<ui::Refusal> check() override {
        if (!button(IDC_SCHED_INTERVAL).checked()) return std::nullopt;
        if (util::hourOf(item(IDC_SCHED_START).text()) >= util::hourOf(item(IDC_SCHED_END).text()))
            return ui::Refusal{"Please set a valid time to connect between...", IDC_SCHED_START, true};
        bool anyDay = false;
        for (int d = 0; d < kDays; ++d) anyDay = anyDay || button(IDC_SCHED_SUN + d).checked();
        if (!anyDay) return ui::Refusal{"Please set at least one day...", IDC_SCHED_SUN};
        return std::nullopt;
    }

    // The interval window, then the bound settings: the days and the
    // interval (with the interval schedule), the type and the priority.
    bool onApply() override {
        if (button(IDC_SCHED_INTERVAL).checked()) {
            util::write(cfg::kScheduleFromHour, util::hourOf(item(IDC_SCHED_START).text()));
            util::write(cfg::kScheduleUntilHour, util::hourOf(item(IDC_SCHED_END).text()));
        }
        saveBindings();
        return true;
    }
};

}  // namespace

const PageDefinition pages::schedule{
    {.dialog = IDD_PAGE_SCHEDULE, .tips = kScheduleTips, .bindings = kScheduleBindings, .rules = kScheduleRules},
    behaviour<SchedulePage>};

}  // namespace admin
