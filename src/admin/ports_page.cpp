// The "Ports" page's behaviour: the address lists (any address, the
// machine's own addresses, the loopback address), the idle-time sliders
// with their labels, "Restore Defaults" and Apply. The ports are bindings
// of the page's definition.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <memory>
#include <string>

#include "admin/machine_addresses.h"
#include "admin/ports_ids.h"
#include "admin/settings_page.h"
#include "frame/profile.h"

namespace admin {
namespace {

constexpr ui::Tip kPortTips[] = {
    {IDC_PORT_SMTP_IDLE, "Number of inactive seconds before connection terminated"},
    {IDC_PORT_POP_IDLE, "Number of inactive seconds before connection terminated"},
};
constexpr ui::Binding kPortBindings[] = {
    ui::text(IDC_PORT_SMTP_PORT, cfg::kSmtpListener.port),
    ui::text(IDC_PORT_POP_PORT, cfg::kPopListener.port),
};

constexpr char kLoopback[] = "127.0.0.1";
constexpr int kMinIdle = 5, kMaxIdle = 999, kTickEvery = 100;

// One of the server's own listeners: its controls and keys.
struct Listener {
    int port, address, idle, idleText, defaults;
    cfg::TextKey portKey, addressKey;
    cfg::IntKey idleKey;
};
constexpr Listener kListeners[] = {
    {IDC_PORT_SMTP_PORT, IDC_PORT_SMTP_ADDRESS, IDC_PORT_SMTP_IDLE, IDC_PORT_SMTP_IDLE_TEXT, IDC_PORT_SMTP_DEFAULTS,
     cfg::kSmtpListener.port, cfg::kSmtpListener.address, cfg::kSmtpListener.idle},
    {IDC_PORT_POP_PORT, IDC_PORT_POP_ADDRESS, IDC_PORT_POP_IDLE, IDC_PORT_POP_IDLE_TEXT, IDC_PORT_POP_DEFAULTS,
     cfg::kPopListener.port, cfg::kPopListener.address, cfg::kPopListener.idle},
};

class PortsPage final : public SettingsPage {
public:
    using SettingsPage::SettingsPage;

protected:
    bool onOpen() override {
        fillAddressLists();
        for (const Listener& l : kListeners) {
            comboBox(l.address).selectPrefix(util::read(l.addressKey));
            ui::Slider idle = slider(l.idle);
            idle.setRange(kMinIdle, kMaxIdle);
            for (int tick = kTickEvery; tick < kMaxIdle; tick += kTickEvery) idle.send(TBM_SETTIC, 0, tick);
            showIdle(l, util::read(l.idleKey));
        }
        return true;
    }

    void onUserCommand(int id, int code) override {
        for (const Listener& l : kListeners) {
            if (id == l.address && (code == CBN_SELCHANGE || code == CBN_EDITCHANGE)) changed();
            if (id == l.defaults && code == BN_CLICKED) restoreDefaults(l);
        }
    }

    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override {
        handled = false;
        if (message != WM_HSCROLL) return 0;
        for (const Listener& l : kListeners) {
            if (reinterpret_cast<HWND>(lParam) != item(l.idle).handle()) continue;
            showIdle(l, slider(l.idle).position());
            if (LOWORD(wParam) == TB_ENDTRACK) changed();
            handled = true;
        }
        return 0;
    }

    // The ports (the bindings), then the addresses, then the idle times.
    bool onApply() override {
        saveBindings();
        for (const Listener& l : kListeners) util::write(l.addressKey, item(l.address).text());
        for (const Listener& l : kListeners) util::write(l.idleKey, slider(l.idle).position());
        return true;
    }

private:
    // The machine's addresses are asked for once, for both lists.
    void fillAddressLists() const {
        ui::ComboBox first = comboBox(kListeners[0].address);
        ui::ComboBox second = comboBox(kListeners[1].address);
        first.add(cfg::kAnyAddress);
        listMachineAddresses(first.handle());
        for (int i = 0; i < first.count(); ++i) second.add(first.itemText(i));
        first.add(kLoopback);
        second.add(kLoopback);
    }

    void showIdle(const Listener& l, int seconds) const {
        slider(l.idle).setPosition(seconds);
        char text[32];
        std::snprintf(text, sizeof text, "%d seconds", slider(l.idle).position());
        item(l.idleText).setText(text);
    }

    void restoreDefaults(const Listener& l) const {
        comboBox(l.address).select(0);
        item(l.port).setText(l.portKey.fallback);
        showIdle(l, l.idleKey.fallback);
        changed();
    }
};

}  // namespace

const PageDefinition pages::ports{
    {.dialog = IDD_PAGE_PORTS, .tips = kPortTips, .bindings = kPortBindings},
    behaviour<PortsPage>};

}  // namespace admin
