// The pages whose own behaviour the server's other tools still provide:
// they show their controls, answer Help and the tip request, and write
// nothing.
#include <span>

#include "admin/pages.h"
#include "resources/resource_ids.h"

namespace admin {
namespace {

constexpr Tip kDomainTips[] = {
    {1000, "Single domain mode"},
    {1001, "Multi domain mode"},
    {1003, "Name of the domain to host"},
    {1004, "Domain is totally handled by this server"},
    {1005, "List of domains to convert"},
    {1006, "Make a new domain mapping"},
    {1007, "Delete a domain mapping"},
};

constexpr Tip kDialupTips[] = {
    {1000, "Use dialup networking to connect"},
    {1001, "Connect via router or permanent connection"},
    {1002, "Use for internal email"},
    {1127, "The dialup connection to use"},
    {1009, "Retry count"},
    {1010, "Delay between dial attempts"},
    {1008, "Time to wait for connection to be made"},
    {1094, "Run mail server as a NT or Win2k service"},
    {1095, "Remove mail server as a NT or Win2k service"},
};

constexpr Tip kAntiSpamTips[] = {
    {1000, "Delete message if spam..."},
    {1001, "Add {SPAM} to subject line..."},
    {1003, "Black list of words or addresses..."},
    {1004, "Enable the anti-spam system..."},
    {1005, "White list of words or addresses..."},
    {1015, "Place message in spam archive..."},
};

constexpr Tip kScheduleTips[] = {
    {1000, "User decides when to connect"},
    {1001, "Connect every so often"},
    {1002, "Connect at certain times"},
    {1003, "Number of minutes between connections"},
    {1004, "Connect when a user sends an urgent message"},
    {1006, "Time connections start at"},
    {1008, "Time connections end at"},
    {1009, "Enable connections on this day"},
    {1010, "Enable connections on this day"},
    {1011, "Enable connections on this day"},
    {1012, "Enable connections on this day"},
    {1013, "Enable connections on this day"},
    {1014, "Enable connections on this day"},
    {1015, "Enable connections on this day"},
    {1017, "Enter the times to connect at"},
};

constexpr Tip kReminderTips[] = {
    {1005, "List of outstanding messages"},
    {1006, "Schedule a new message"},
    {1007, "Edit a scheduled message"},
    {1008, "Remove a scheduled message"},
    {1009, "Send the message right now"},
};

constexpr Tip kRoutingTips[] = {
    {1005, "List of current routing filters"},
    {1188, "Create a new routing filter"},
    {1189, "Delete a routing filter"},
    {1076, "Change order of routing filters"},
    {1186, "Change order of routing filters"},
    {1187, "Make routing filter active or inactive"},
    {1184, "Perform action on mail from users"},
    {1185, "Perform action on mail from internet"},
    {1027, "Perform action on all mail"},
    {1172, "First condition that must be satisfied"},
    {1173, "First condition that must be satisfied"},
    {1182, "First condition that must be satisfied"},
    {1174, "Enable a further condition"},
    {1175, "Second condition that must be satisfied"},
    {1176, "Second condition that must be satisfied"},
    {1183, "Second condition that must be satisfied"},
    {1177, "First action to perform"},
    {1178, "Second action to perform"},
    {1179, "Third action to perform"},
    {1180, "Fourth action to perform"},
    {1181, "Fifth action to perform"},
    {1071, "Action settings"},
    {1072, "Action settings"},
    {1073, "Action settings"},
    {1190, "Action settings"},
    {1191, "Action settings"},
};

constexpr Tip kPasswordTips[] = {
    {1003, "Administration password"},
    {1004, "Show or hide the administration password"},
    {1006, "Enter a new administration password"},
    {1007, "Remove administration password"},
};

constexpr Tip kAddressListTips[] = {
    {1005, "List of current mailing lists"},
    {1006, "Create a new mailing list"},
    {1007, "Remove a mailing list"},
    {1008, "Contents of mailing list"},
    {1009, "Add an address to a mailing list"},
    {1010, "Remove an address from a mailing list"},
    {1011, "Change an address in a mailing list"},
};

constexpr Tip kAliasTips[] = {
    {1000, "Convert one address to another"},
    {1001, "Expand one address to all addresses on mailing list"},
    {1002, "Expand one address to all addresses held on mail server"},
    {1003, "Enter the address to change"},
    {1004, "Enter the substitute address"},
    {1005, "List of current aliases"},
    {1006, "Create a new address alias"},
    {1007, "Remove an address alias"},
    {1008, "Change an address alias"},
    {1017, "Save alias"},
    {1018, "Cancel operation"},
    {1019, "Select a mailing list"},
};

constexpr Tip kFootNoteTips[] = {
    {1003, "The foot note to add"},
    {1004, "Enable the adding of a foot note"},
};

constexpr Tip kScannerTips[] = {
    {1004, "Enable the scanner system"},
    {1005, "The phrases to look for"},
    {1006, "Add a new phrase"},
    {1007, "Remove a phrase"},
    {1017, "Change a phrase"},
    {1050, "User to receive matching message"},
};

constexpr Tip kAttachmentTips[] = {
    {1003, "The folder to save attachments in"},
    {1004, "Enable attachment removal"},
    {1005, "Attachment extensions..."},
    {1006, "Select the folder to save attachments in"},
    {1007, "Add single attachment type.."},
    {1008, "Remove all attachments except these..."},
    {1009, "Add all attachment types..."},
    {1010, "Remove all attachment types"},
    {1011, "Remove single attachment type..."},
    {1015, "Remove attachment from within the original message"},
    {1017, "Add senders email address..."},
    {1018, "Remove senders email address..."},
    {1019, "Edit senders email address..."},
    {1095, "Do not remove attachment if senders email address is listed..."},
};

constexpr Tip kPortTips[] = {
    {1033, "Number of inactive seconds before connection terminated"},
    {1035, "Number of inactive seconds before connection terminated"},
};

constexpr Tip kOptionTips[] = {
    {1003, "Password that must appear in admin messages"},
    {1004, "Save a copy of incoming mail"},
    {1006, "View the event log file"},
    {1007, "Set the location of the archive folder"},
    {1009, "Change order of online operations"},
    {1015, "Save a copy of outgoing mail"},
    {1016, "Exchange mail when server started"},
    {1017, "Save event log to a file"},
    {1018, "Disable me"},
    {1020, "Local users can send admin commands"},
    {1021, "Anyone can send admin commands"},
    {1022, "Email postmaster if connection fails"},
    {1052, "Shows or hides the password"},
    {1060, "Operation to perform first"},
    {1061, "Operation to perform second"},
};

struct TipTable {
    int dialog;
    std::span<const Tip> tips;
};

constexpr TipTable kTipTables[] = {
    {IDD_PAGE_DOMAIN, kDomainTips},         {IDD_PAGE_DIALUP, kDialupTips},
    {IDD_PAGE_ANTISPAM, kAntiSpamTips},     {IDD_PAGE_SCHEDULE, kScheduleTips},
    {IDD_PAGE_REMINDERS, kReminderTips},    {IDD_PAGE_ROUTING, kRoutingTips},
    {IDD_PAGE_PASSWORD, kPasswordTips},     {IDD_PAGE_ADDRESS_LISTS, kAddressListTips},
    {IDD_PAGE_ALIASES, kAliasTips},         {IDD_PAGE_FOOTNOTE, kFootNoteTips},
    {IDD_PAGE_SCANNER, kScannerTips},       {IDD_PAGE_ATTACHMENTS, kAttachmentTips},
    {IDD_PAGE_PORTS, kPortTips},            {IDD_PAGE_OPTIONS, kOptionTips},
};

class TemplatePage final : public SettingsPage {
public:
    explicit TemplatePage(const PageInfo& info) : SettingsPage(info.title, info.dialog, info.helpTopic) {
        for (const TipTable& table : kTipTables)
            if (table.dialog == info.dialog) tips_ = table.tips;
    }

protected:
    std::span<const Tip> tips() const override { return tips_; }

private:
    std::span<const Tip> tips_;
};

}  // namespace

std::unique_ptr<SettingsPage> makeTemplatePage(const PageInfo& info) { return std::make_unique<TemplatePage>(info); }

}  // namespace admin
