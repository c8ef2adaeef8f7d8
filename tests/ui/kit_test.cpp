// The window kit on windows of the test's own making: every kind of
// binding read from and written to ms.ini, enabling rules, refusals that
// keep a sheet (and a wizard) on its page, and tip registrations that end
// with their window however it goes.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <memory>

#include "support/ui_driver.h"
#include "frame/frame_state.h"
#include "support/install.h"
#include "ui/bindings.h"
#include "ui/modal.h"
#include "ui/prompt.h"
#include "ui/sheet.h"
#include "ui/subclass.h"
#include "ui/tooltips.h"
#include "dialog_template.h"

using namespace kit_test;
using namespace testing_support;

namespace {

const auto* const env = ::testing::AddGlobalTestEnvironment(Install::forProgram());

std::string ini(const char* key) {
    char value[256] = {};
    GetPrivateProfileStringA("t", key, "<none>", value, sizeof value, Install::program().file("ms.ini").c_str());
    return value;
}

INT_PTR CALLBACK plainProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

std::vector<std::string> names() { return {"alice", "bob", "carol"}; }

constexpr cfg::IntKey kFlag{"t", "flag", 0};
constexpr cfg::TextKey kName{"t", "name", "unnamed"};
constexpr cfg::TextKey kCount{"t", "count", "5"};
constexpr cfg::IntKey kChoice{"t", "choice", 0};
constexpr cfg::TextKey kUser{"t", "user", ""};
constexpr cfg::TextKey kExact{"t", "exact", ""};
constexpr cfg::IntKey kPosition{"t", "pos", 0};
constexpr cfg::TextKey kSecret{"t", "secret", ""};
constexpr cfg::IntKey kGate{"t", "gate", 0};
constexpr cfg::TextKey kGated{"t", "gated", ""};

constexpr ui::RadioChoice kChoices[] = {{104, 0}, {105, 1}, {106, 2}};
constexpr const char* kPositions[] = {"first", "second", "third"};
constexpr ui::Binding kBindings[] = {
    ui::check(100, kFlag),
    ui::text(101, kName),
    ui::number(102, kCount, 1, 99, 103),
    ui::radio(kChoice, kChoices),
    ui::comboText(107, kUser, names, true),
    ui::comboText(108, kExact, names),
    ui::comboIndex(109, kPosition, kPositions),
    ui::secret(110, kSecret),
    ui::check(111, kGate),
    ui::writtenWhile(ui::text(112, kGated), 111),
};
constexpr int kOnFlag[] = {101, 102};
constexpr int kOffGate[] = {102};
constexpr ui::EnableRule kRules[] = {{100, kOnFlag}, {111, kOffGate, true}};

class BoundWindow : public ::testing::Test {
protected:
    void SetUp() override {
        util::frameState().module = GetModuleHandleA(nullptr);
        const DWORD check = BS_AUTOCHECKBOX | WS_TABSTOP, radio = BS_AUTORADIOBUTTON;
        const DWORD combo = CBS_DROPDOWNLIST | WS_VSCROLL, edit = ES_AUTOHSCROLL | WS_BORDER;
        DialogTemplate tmpl(WS_POPUP | WS_CAPTION, 200, 200, L"Bound",
                            {{Kind::Button, 100, check, 5, 5, 80, 10, L"Flag"},
                             {Kind::Edit, 101, edit, 5, 20, 80, 12},
                             {Kind::Edit, 102, edit, 5, 35, 40, 12},
                             {Kind::UpDown, 103, UDS_ARROWKEYS, 45, 35, 10, 12},
                             {Kind::Button, 104, radio | WS_GROUP, 5, 50, 60, 10, L"Zero"},
                             {Kind::Button, 105, radio, 5, 62, 60, 10, L"One"},
                             {Kind::Button, 106, radio, 5, 74, 60, 10, L"Two"},
                             {Kind::ComboBox, 107, combo | WS_GROUP, 5, 88, 80, 60},
                             {Kind::ComboBox, 108, combo, 5, 102, 80, 60},
                             {Kind::ComboBox, 109, combo, 5, 116, 80, 60},
                             {Kind::Edit, 110, edit | ES_PASSWORD, 5, 130, 80, 12},
                             {Kind::Button, 111, check, 5, 145, 80, 10, L"Gate"},
                             {Kind::Edit, 112, edit, 5, 158, 80, 12}});
        window_ = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), tmpl.get(), nullptr, plainProc, 0);
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override { DestroyWindow(window_); }

    HWND window_ = nullptr;
    ui::BindingSet bound_{kBindings, kRules};
};

TEST_F(BoundWindow, EveryKindShowsItsStoredValueAndWritesItBack) {
    writeFile(Install::program().file("ms.ini"),
              "[t]\r\nflag=1\r\nname=hello\r\ncount=150\r\nchoice=1\r\nuser=BO\r\nexact=zed\r\npos=2\r\nsecret=" +
                  drive::scramble("p@ss w0rd") + "\r\ngated=kept\r\n");
    bound_.load(window_);
    EXPECT_TRUE(drive::checked(window_, 100));
    EXPECT_EQ(drive::text(window_, 101), "hello");
    EXPECT_EQ(drive::text(window_, 102), "99") << "a stored number beyond the range shows its limit";
    EXPECT_EQ(SendDlgItemMessageA(window_, 103, UDM_GETPOS32, 0, 0), 99);
    EXPECT_FALSE(drive::checked(window_, 104));
    EXPECT_TRUE(drive::checked(window_, 105));
    EXPECT_EQ(drive::comboSelection(window_, 107), "bob") << "chosen by prefix, ignoring case";
    EXPECT_EQ(drive::comboSelection(window_, 108), "alice") << "an unknown exact text selects the first";
    EXPECT_EQ(drive::comboSelection(window_, 109), "third");
    EXPECT_EQ(drive::text(window_, 110), "p@ss w0rd");
    EXPECT_EQ(SendDlgItemMessageA(window_, 110, EM_GETPASSWORDCHAR, 0, 0), '*');

    drive::click(window_, 100);
    drive::setText(window_, 101, "world");
    drive::setText(window_, 102, "123456789012345");
    drive::click(window_, 106);
    SendDlgItemMessageA(window_, 107, CB_SETCURSEL, 2, 0);
    SendDlgItemMessageA(window_, 109, CB_SETCURSEL, 0, 0);
    drive::setText(window_, 110, "");
    drive::setText(window_, 112, "typed while the gate is open");
    bound_.save(window_);
    EXPECT_EQ(ini("flag"), "0");
    EXPECT_EQ(ini("name"), "world");
    EXPECT_EQ(ini("count"), "99") << "a typed number saturates at the limit";
    EXPECT_EQ(ini("choice"), "2");
    EXPECT_EQ(ini("user"), "carol");
    EXPECT_EQ(ini("exact"), "alice");
    EXPECT_EQ(ini("pos"), "0");
    EXPECT_EQ(ini("secret"), "") << "an emptied secret is stored empty";
    EXPECT_EQ(ini("gated"), "kept") << "written only while its box is ticked";

    drive::click(window_, 111);
    drive::setText(window_, 110, "new one");
    bound_.save(window_);
    EXPECT_EQ(ini("gated"), "typed while the gate is open");
    EXPECT_EQ(drive::unscramble(ini("secret")), "new one");
}

TEST_F(BoundWindow, MissingKeysTakeTheirDefaultsAndAStrayRadioValueTicksNone) {
    writeFile(Install::program().file("ms.ini"), "[t]\r\nchoice=7\r\ncount=-3\r\n");
    bound_.load(window_);
    EXPECT_EQ(drive::text(window_, 101), "unnamed");
    EXPECT_EQ(drive::text(window_, 102), "1") << "below the range shows the lower limit";
    for (int id : {104, 105, 106}) EXPECT_FALSE(drive::checked(window_, id)) << id;
    bound_.save(window_);
    EXPECT_EQ(ini("choice"), "7") << "no button ticked, nothing written";
    EXPECT_EQ(ini("name"), "unnamed");
}

TEST_F(BoundWindow, ChangesAreTheBoundControlsOwnNotifications) {
    EXPECT_TRUE(bound_.isChange(100, BN_CLICKED));
    EXPECT_TRUE(bound_.isChange(105, BN_CLICKED));
    EXPECT_TRUE(bound_.isChange(101, EN_CHANGE));
    EXPECT_TRUE(bound_.isChange(102, EN_CHANGE));
    EXPECT_TRUE(bound_.isChange(110, EN_CHANGE));
    EXPECT_TRUE(bound_.isChange(107, CBN_SELCHANGE));
    EXPECT_TRUE(bound_.isChange(109, CBN_SELCHANGE));
    EXPECT_FALSE(bound_.isChange(101, EN_SETFOCUS));
    EXPECT_FALSE(bound_.isChange(107, CBN_DROPDOWN));
    EXPECT_FALSE(bound_.isChange(999, BN_CLICKED));
}

TEST_F(BoundWindow, AControlIsLiveOnlyWhileEveryRuleNamingItHolds) {
    auto live = [&](int id) { return drive::enabled(window_, id); };
    bound_.applyRules(window_);
    EXPECT_FALSE(live(101));
    EXPECT_FALSE(live(102));
    drive::click(window_, 100);
    bound_.applyRules(window_);
    EXPECT_TRUE(live(101));
    EXPECT_TRUE(live(102));
    drive::click(window_, 111);
    bound_.applyRules(window_);
    EXPECT_TRUE(live(101));
    EXPECT_FALSE(live(102)) << "the second rule holds only while its box is clear";
    bound_.applyRules(window_, [](int id) { return id != 101; });
    EXPECT_FALSE(live(101)) << "the window may hold a control back";
}

// ---- Sheets and wizards ----------------------------------------------------------

// The pages' template comes from memory (fromMemory).
constexpr ui::WindowDefinition kMemoryPage{.dialog = 0};

// A page that refuses to be left while its edit is empty.
class NamePage final : public ui::Page {
public:
    NamePage() : Page(kMemoryPage) {}
    int applied = 0;
    int nexts = 0;

protected:
    std::optional<ui::Refusal> validate() override {
        if (GetWindowTextLengthA(GetDlgItem(hwnd_, 200)) > 0) return std::nullopt;
        return ui::Refusal{"Please enter a name", 200, true};
    }
    bool onApply() override {
        ++applied;
        return true;
    }
    int onWizardNext() override {
        ++nexts;
        return 0;
    }
    void onSetActive() override { setWizardButtons(PSWIZB_NEXT | PSWIZB_BACK | PSWIZB_FINISH); }
};

class PlainPage final : public ui::Page {
public:
    PlainPage() : Page(kMemoryPage) {}
};

const DialogTemplate& pageTemplate() {
    static const DialogTemplate tmpl(WS_CHILD | WS_CAPTION, 180, 80, L"",
                                     {{Kind::Edit, 200, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 7, 100, 12},
                                      {Kind::Edit, 201, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 25, 100, 12}});
    return tmpl;
}

PROPSHEETPAGEA fromMemory(ui::Page& page, const char* title) {
    PROPSHEETPAGEA p = page.describe(title, false);
    p.dwFlags |= PSP_DLGINDIRECT;
    p.pResource = pageTemplate().get();
    return p;
}

// The shown sheet of this thread (a wizard takes its pages' titles).
HWND shownSheet() {
    for (HWND window : threadWindows("#32770", ""))
        if (IsWindowVisible(window) && PropSheet_GetCurrentPageHwnd(window)) return window;
    return nullptr;
}

// Runs the sheet with steps playing the user once it is shown.
ui::SheetResult runKitSheet(bool wizard, NamePage& first, PlainPage& second, std::function<void(HWND)> steps) {
    runLater(100, [steps] {
        HWND sheet = nullptr;
        waitUntil([&] { return (sheet = shownSheet()) != nullptr; }, 5000);
        EXPECT_NE(sheet, nullptr) << "the sheet never showed";
        if (sheet) steps(sheet);
        if (sheet && IsWindow(sheet)) PropSheet_PressButton(sheet, PSBTN_CANCEL);
    });
    PROPSHEETPAGEA pages[] = {fromMemory(first, "First"), fromMemory(second, "Second")};
    ui::SheetOptions options;
    options.caption = "Kit Sheet";
    options.wizard = wizard;
    options.help = false;
    return ui::runSheet(options, pages);
}

// Runs action, answers the "Error" box it brings, and returns its text.
std::string expectingError(const std::function<void()>& action) {
    auto seen = std::make_shared<std::string>();
    drive::whenShown("#32770", "Error", [seen](HWND box) {
        if (!box) return;
        *seen = drive::messageBoxText(box);
        SendMessageA(box, WM_COMMAND, IDOK, 0);
    });
    action();
    pumpFor(100);
    return *seen;
}

TEST(Sheet, ARefusalKeepsThePageOnPageChangeAndApplyAndFocusesTheField) {
    util::frameState().module = GetModuleHandleA(nullptr);
    NamePage first;
    PlainPage second;
    ui::SheetResult result = runKitSheet(false, first, second, [&](HWND sheet) {
        HWND page = PropSheet_GetCurrentPageHwnd(sheet);
        drive::setText(page, 201, "elsewhere");
        EXPECT_EQ(expectingError([&] { PropSheet_SetCurSel(sheet, nullptr, 1); }), "Please enter a name");
        EXPECT_EQ(PropSheet_GetCurrentPageHwnd(sheet), page) << "still on the refusing page";
        EXPECT_EQ(GetFocus(), GetDlgItem(page, 200));
        EXPECT_EQ(expectingError([&] { PropSheet_Apply(sheet); }), "Please enter a name");
        EXPECT_EQ(first.applied, 0);
        drive::setText(page, 200, "Ann");
        PropSheet_Apply(sheet);
        EXPECT_EQ(first.applied, 1);
        PropSheet_SetCurSel(sheet, nullptr, 1);
        EXPECT_NE(PropSheet_GetCurrentPageHwnd(sheet), page);
    });
    EXPECT_NE(result.unregister, 0) << "the sheet's tip registration is gone with it";
}

TEST(Sheet, AWizardRefusesNextUntilThePagePasses) {
    util::frameState().module = GetModuleHandleA(nullptr);
    NamePage first;
    PlainPage second;
    ui::SheetResult result = runKitSheet(true, first, second, [&](HWND sheet) {
        HWND page = PropSheet_GetCurrentPageHwnd(sheet);
        EXPECT_EQ(expectingError([&] { PropSheet_PressButton(sheet, PSBTN_NEXT); }), "Please enter a name");
        EXPECT_EQ(PropSheet_GetCurrentPageHwnd(sheet), page);
        EXPECT_EQ(first.nexts, 0);
        drive::setText(page, 200, "Ann");
        PropSheet_PressButton(sheet, PSBTN_NEXT);
        pumpFor(50);
        EXPECT_EQ(first.nexts, 1);
        EXPECT_NE(PropSheet_GetCurrentPageHwnd(sheet), page);
        PropSheet_PressButton(sheet, PSBTN_FINISH);
        pumpFor(50);
    });
    EXPECT_GT(result.sheet, 0) << "finished, not cancelled";
}

// ---- Tip registrations -----------------------------------------------------------

TEST(Tips, AModalDialogDestroyedFromOutsideLeavesNoRegistration) {
    util::frameState().module = GetModuleHandleA(nullptr);
    runLater(100, [] {
        HWND prompt = nullptr;
        waitUntil([&] { return (prompt = findThreadWindow("#32770", "Enter Information")) != nullptr; }, 5000);
        ASSERT_NE(prompt, nullptr);
        DestroyWindow(prompt);  // not through the dialog's own close
    });
    ui::prompt(nullptr, {"Name?", ""});
    HWND probe = CreateWindowA("Static", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    // The only registration now: the engine answers with its class
    // registration, not with a count of two.
    int answer = ui::registerForTips(probe, 1, 0);
    EXPECT_NE(answer, 2);
    EXPECT_NE(answer, 0);
    ui::unregisterForTips(probe);
    DestroyWindow(probe);
}

// ---- Subclassing -----------------------------------------------------------------

// Claims WM_GETTEXTLENGTH (answering 42) and counts what it passes on.
int passedOn = 0;
bool claimLength(HWND, UINT message, WPARAM, LPARAM, void* data, LRESULT& result) {
    if (message != WM_GETTEXTLENGTH) {
        ++passedOn;
        return false;
    }
    result = *static_cast<int*>(data);
    return true;
}
// Asks the window's own procedure first and doubles its answer.
bool doubleLength(HWND window, UINT message, WPARAM wParam, LPARAM lParam, void*, LRESULT& result) {
    if (message != WM_GETTEXTLENGTH) return false;
    result = 2 * ui::Subclass::passOn(window, message, wParam, lParam);
    return true;
}

TEST(Subclass, AHandlerClaimsOrPassesOnUntilDetachedOrTheWindowGoes) {
    HWND edit = CreateWindowA("Edit", "abc", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    int answer = 42;
    EXPECT_TRUE(ui::Subclass::attach(edit, claimLength, &answer));
    EXPECT_TRUE(ui::Subclass::attached(edit, claimLength));
    EXPECT_EQ(GetWindowTextLengthA(edit), 42);
    char text[8] = {};
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "abc") << "what the handler does not claim reaches the edit";
    EXPECT_GT(passedOn, 0);

    // The later handler sees the message first; its passOn reaches the earlier one.
    EXPECT_TRUE(ui::Subclass::attach(edit, doubleLength));
    EXPECT_EQ(GetWindowTextLengthA(edit), 84);
    ui::Subclass::detach(edit, claimLength);
    EXPECT_FALSE(ui::Subclass::attached(edit, claimLength));
    EXPECT_EQ(GetWindowTextLengthA(edit), 6) << "the edit's own length, doubled";

    DestroyWindow(edit);
    EXPECT_FALSE(ui::Subclass::attached(edit, doubleLength)) << "gone with the window";
}

}  // namespace
