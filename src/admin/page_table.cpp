// The page table of "Server Settings": one row a page, in the sheet's
// order (index 0 to 15). A row names the page's title, template, icon and
// help topic, and declares its tips, bound settings, enabling rules and
// entry checks; a behaviour class is named only where a page has logic
// that data cannot express.
#include "admin/page_behaviours.h"
#include "admin/settings_page.h"
#include "frame/help_topics.h"
#include "frame/settings.h"
#include "resources/admin_ids.h"

namespace admin {
namespace {

using ui::Tip;

// ---- Domain ----------------------------------------------------------------------
constexpr Tip kDomainTips[] = {
    {IDC_DOM_SINGLE, "Single domain mode"},
    {IDC_DOM_MULTI, "Multi domain mode"},
    {IDC_DOM_NAME, "Name of the domain to host"},
    {IDC_DOM_EXCLUSIVE, "Domain is totally handled by this server"},
    {IDC_DOM_MAPS, "List of domains to convert"},
    {IDC_DOM_MAP_ADD, "Make a new domain mapping"},
    {IDC_DOM_MAP_DELETE, "Delete a domain mapping"},
};
constexpr ui::Binding kDomainBindings[] = {ui::check(IDC_DOM_EXCLUSIVE, cfg::kDomainExclusive)};
constexpr int kDomSingleControls[] = {IDC_DOM_EXCLUSIVE};
constexpr ui::EnableRule kDomainRules[] = {{IDC_DOM_SINGLE, kDomSingleControls}};

// ---- Dialup ----------------------------------------------------------------------
constexpr Tip kDialupTips[] = {
    {IDC_DIAL_DIALUP, "Use dialup networking to connect"},
    {IDC_DIAL_LAN, "Connect via router or permanent connection"},
    {IDC_DIAL_INTERNAL, "Use for internal email"},
    {IDC_DIAL_CONNECTION, "The dialup connection to use"},
    {IDC_DIAL_RETRIES, "Retry count"},
    {IDC_DIAL_DELAY, "Delay between dial attempts"},
    {IDC_DIAL_WAIT, "Time to wait for connection to be made"},
    {IDC_DIAL_INSTALL_SERVICE, "Run mail server as a NT or Win2k service"},
    {IDC_DIAL_UNINSTALL_SERVICE, "Remove mail server as a NT or Win2k service"},
};
constexpr ui::RadioChoice kDialupTypes[] = {{IDC_DIAL_DIALUP, 0}, {IDC_DIAL_LAN, 1}, {IDC_DIAL_INTERNAL, 2}};
constexpr ui::Binding kDialupBindings[] = {
    ui::radio(cfg::kConnectionType, kDialupTypes),
    ui::text(IDC_DIAL_WAIT, cfg::kDialTimeout),
    ui::text(IDC_DIAL_RETRIES, cfg::kDialRetries),
    ui::number(IDC_DIAL_DELAY, cfg::kRedialDelayShown, 5, 90, IDC_DIAL_DELAY_SPIN),
};
constexpr int kDialupDetails[] = {
    IDC_DIAL_CONNECTION, IDC_DIAL_WAIT, IDC_DIAL_RETRIES, IDC_DIAL_DELAY, IDC_DIAL_DELAY_SPIN, IDC_DIAL_LBL_CONNECTION,
    IDC_DIAL_LBL_WAIT, IDC_DIAL_LBL_SECS, IDC_DIAL_LBL_REDIAL, IDC_DIAL_LBL_TIMES, IDC_DIAL_LBL_SECONDS};
constexpr ui::EnableRule kDialupRules[] = {{IDC_DIAL_DIALUP, kDialupDetails}};

// ---- Outgoing --------------------------------------------------------------------
constexpr Tip kOutgoingTips[] = {
    {IDC_OUT_HOST, "Name of SMTP server"},
    {IDC_OUT_PORT, "Port number of SMTP server (default=25)"},
    {IDC_OUT_LIST, "Outgoing mail SMTP servers"},
    {IDC_OUT_ADD, "An a new SMTP server"},
    {IDC_OUT_DELETE, "Remove an SMTP server"},
    {IDC_OUT_SENDER, "The address to use in SMTP envelope"},
    {IDC_OUT_UP, "Change order servers are connected to"},
    {IDC_OUT_DOWN, "Change order servers are connected to"},
    {IDC_OUT_SAVE, "Save new server"},
    {IDC_OUT_CANCEL, "Cancel operation"},
    {IDC_OUT_SIZE_KB, "Size limit in kilo bytes"},
    {IDC_OUT_USE_NEXT, "Use next server if message refused"},
    {IDC_OUT_CHANGE_FROM, "Replace the senders address"},
    {IDC_OUT_INSIDE, "Replace the From: address in message"},
    {IDC_OUT_REDIR, "Re-route outgoing mail to a local user"},
    {IDC_OUT_SIZE, "Restrict size of outgoing messages"},
    {IDC_OUT_COPY, "Give local user a copy of each message sent"},
    {IDC_OUT_COPY_USER, "List of local users"},
    {IDC_OUT_REDIR_USER, "List of local users"},
    {IDC_OUT_AUTH, "Login to smtp server required"},
    {IDC_OUT_AUTH_SET, "Set account name and password..."},
    {IDC_OUT_TLS, "Encryption: TLS from the start (port 465) or STARTTLS (port 587)"},
    {IDC_OUT_LOGIN, "Log in with a password, or sign in with a provider (Microsoft, Google, other)"},
    {IDC_OUT_SIGN_IN, "Sign in with the provider in the browser"},
};
constexpr ui::Binding kOutgoingBindings[] = {
    ui::check(IDC_OUT_USE_NEXT, cfg::kOutgoingUseNext),
    ui::check(IDC_OUT_COPY, cfg::kOptOutCopy),
    ui::comboText(IDC_OUT_COPY_USER, cfg::kOptOutCopyUser, accountNames, true),
    ui::check(IDC_OUT_REDIR, cfg::kOptOutRedirect),
    ui::comboText(IDC_OUT_REDIR_USER, cfg::kOptOutRedirectUser, accountNames, true),
    ui::check(IDC_OUT_SIZE, cfg::kOptOutSize),
    ui::text(IDC_OUT_SIZE_KB, cfg::kOptOutSizeKb),
};
constexpr int kOutCopyControls[] = {IDC_OUT_COPY_USER, IDC_OUT_COPY_USERS};
constexpr int kOutRedirectControls[] = {IDC_OUT_REDIR_USER, IDC_OUT_REDIR_USERS};
constexpr int kOutSizeControls[] = {IDC_OUT_SIZE_KB, IDC_OUT_SIZE_SPIN, IDC_OUT_KBYTES, IDC_OUT_SIZE_USERS};
constexpr int kOutSenderControls[] = {IDC_OUT_SENDER, IDC_OUT_SENDER_LBL, IDC_OUT_INSIDE};
constexpr int kOutAuthControls[] = {IDC_OUT_AUTH_SET};
constexpr ui::EnableRule kOutgoingRules[] = {
    {IDC_OUT_COPY, kOutCopyControls},
    {IDC_OUT_REDIR, kOutRedirectControls},
    {IDC_OUT_SIZE, kOutSizeControls},
    {IDC_OUT_CHANGE_FROM, kOutSenderControls},
    {IDC_OUT_AUTH, kOutAuthControls},
};

// ---- Incoming --------------------------------------------------------------------
constexpr Tip kIncomingTips[] = {
    {IDC_IN_SERVER, "Name of POP server"},
    {IDC_IN_PORT, "POP server port number (default=110)"},
    {IDC_IN_LIST, "Pop servers to collect mail from"},
    {IDC_IN_ADD, "Add a new POP server"},
    {IDC_IN_DELETE, "Remove a POP server"},
    {IDC_IN_UP, "Change order servers are connected to"},
    {IDC_IN_DOWN, "Change order servers are connected to"},
    {IDC_IN_EDIT, "Edit POP server settings"},
    {IDC_IN_SAVE, "Save new server"},
    {IDC_IN_CANCEL, "Cancel operation"},
    {IDC_IN_COPY_ALL, "Copy misaddressed message to all users"},
    {IDC_IN_KILL, "Delete misaddressed message"},
    {IDC_IN_SHOW_PW, "Show or hide password"},
    {IDC_IN_REMOVE_MAIL, "Delete mail from server after collection"},
    {IDC_IN_EXTENSIONS, "Enable protocol extentions"},
    {IDC_IN_ROUTE, "Send misaddressed message to a user"},
    {IDC_IN_RECIPIENT, "User to receive miss-addressed message"},
    {IDC_IN_BOUNCE, "Send an undeliverable message back"},
    {IDC_IN_ADVANCED, "Set a size limit on incoming messages"},
    {IDC_IN_USER, "POP login user name"},
    {IDC_IN_PASSWORD, "POP login password"},
    {IDC_IN_ACTIVE, "Collect mail from this mailbox"},
    {IDC_IN_BYPASS, "Give all mail from this pop3 mail collection to a user"},
    {IDC_IN_BYPASS_USER, "The user to receive all mail from this collection"},
    {IDC_IN_TLS, "Encryption: TLS from the start (port 995) or STARTTLS"},
    {IDC_IN_LOGIN, "Log in with the password, or sign in with a provider (Microsoft, Google, other)"},
    {IDC_IN_SIGN_IN, "Sign in with the provider in the browser"},
};
constexpr ui::RadioChoice kUndeliverableChoices[] = {{IDC_IN_COPY_ALL, 0}, {IDC_IN_KILL, 1}, {IDC_IN_ROUTE, 2}};
constexpr ui::Binding kIncomingBindings[] = {
    ui::check(IDC_IN_BOUNCE, cfg::kUndelSendBounce),
    ui::radio(cfg::kUndelAction, kUndeliverableChoices),
    ui::writtenWhile(ui::comboText(IDC_IN_RECIPIENT, cfg::kUndelRecipient, accountNames, true), IDC_IN_ROUTE),
};
constexpr int kInRouteControls[] = {IDC_IN_RECIPIENT};
constexpr int kInBypassControls[] = {IDC_IN_BYPASS_USER};
constexpr ui::EnableRule kIncomingRules[] = {
    {IDC_IN_ROUTE, kInRouteControls},
    {IDC_IN_BYPASS, kInBypassControls},
};

// ---- Anti-Spam -------------------------------------------------------------------
constexpr Tip kAntiSpamTips[] = {
    {IDC_SPAM_DELETE, "Delete message if spam..."},
    {IDC_SPAM_PREFIX, "Add {SPAM} to subject line..."},
    {IDC_SPAM_BLACK, "Black list of words or addresses..."},
    {IDC_SPAM_ENABLE, "Enable the anti-spam system..."},
    {IDC_SPAM_WHITE, "White list of words or addresses..."},
    {IDC_SPAM_ARCHIVE, "Place message in spam archive..."},
};
constexpr ui::RadioChoice kSpamActionChoices[] = {{IDC_SPAM_DELETE, 1}, {IDC_SPAM_PREFIX, 0}};
constexpr ui::Binding kAntiSpamBindings[] = {
    ui::check(IDC_SPAM_ENABLE, cfg::kSpamUse),
    ui::check(IDC_SPAM_ARCHIVE, cfg::kSpamArchive),
    ui::radio(cfg::kSpamKill, kSpamActionChoices),
};
constexpr int kSpamControls[] = {IDC_SPAM_BLACK,  IDC_SPAM_BLACK_LABEL,  IDC_SPAM_WHITE,  IDC_SPAM_WHITE_LABEL,
                                 IDC_SPAM_DELETE, IDC_SPAM_PREFIX,       IDC_SPAM_ARCHIVE, IDC_SPAM_ACTION_GROUP};
constexpr int kSpamArchiveControls[] = {IDC_SPAM_ARCHIVE};
constexpr ui::EnableRule kAntiSpamRules[] = {
    {IDC_SPAM_ENABLE, kSpamControls},
    {IDC_SPAM_PREFIX, kSpamArchiveControls, true},
};

// ---- Schedule --------------------------------------------------------------------
constexpr Tip kScheduleTips[] = {
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

// ---- Reminders -------------------------------------------------------------------
constexpr Tip kReminderTips[] = {
    {IDC_REM_LIST, "List of outstanding messages"},
    {IDC_REM_ADD, "Schedule a new message"},
    {IDC_REM_EDIT, "Edit a scheduled message"},
    {IDC_REM_DELETE, "Remove a scheduled message"},
    {IDC_REM_SEND_NOW, "Send the message right now"},
};

// ---- Routing ---------------------------------------------------------------------
constexpr Tip kRoutingTips[] = {
    {IDC_ROUTE_LIST, "List of current routing filters"},
    {IDC_ROUTE_NEW, "Create a new routing filter"},
    {IDC_ROUTE_DELETE, "Delete a routing filter"},
    {IDC_ROUTE_DOWN, "Change order of routing filters"},
    {IDC_ROUTE_UP, "Change order of routing filters"},
    {IDC_ROUTE_ACTIVE, "Make routing filter active or inactive"},
    {IDC_ROUTE_INTERNAL, "Perform action on mail from users"},
    {IDC_ROUTE_EXTERNAL, "Perform action on mail from internet"},
    {IDC_ROUTE_ALL, "Perform action on all mail"},
    {IDC_ROUTE_SUBJECT1, "First condition that must be satisfied"},
    {IDC_ROUTE_OPERATOR1, "First condition that must be satisfied"},
    {IDC_ROUTE_VALUE1, "First condition that must be satisfied"},
    {IDC_ROUTE_CONJUNCTION, "Enable a further condition"},
    {IDC_ROUTE_SUBJECT2, "Second condition that must be satisfied"},
    {IDC_ROUTE_OPERATOR2, "Second condition that must be satisfied"},
    {IDC_ROUTE_VALUE2, "Second condition that must be satisfied"},
    {IDC_ROUTE_ACTION1, "First action to perform"},
    {IDC_ROUTE_ACTION2, "Second action to perform"},
    {IDC_ROUTE_ACTION3, "Third action to perform"},
    {IDC_ROUTE_ACTION4, "Fourth action to perform"},
    {IDC_ROUTE_ACTION5, "Fifth action to perform"},
    {IDC_ROUTE_PARAM2, "Action settings"},
    {IDC_ROUTE_PARAM3, "Action settings"},
    {IDC_ROUTE_PARAM4, "Action settings"},
    {IDC_ROUTE_PARAM1, "Action settings"},
    {IDC_ROUTE_PARAM5, "Action settings"},
};

// ---- Password --------------------------------------------------------------------
constexpr Tip kPasswordTips[] = {
    {IDC_PWD_PASSWORD, "Administration password"},
    {IDC_PWD_SHOW, "Show or hide the administration password"},
    {IDC_PWD_NEW, "Enter a new administration password"},
    {IDC_PWD_CLEAR, "Remove administration password"},
};
constexpr ui::Binding kPasswordBindings[] = {ui::secret(IDC_PWD_PASSWORD, cfg::kAdminPassword)};

// ---- Address Lists ---------------------------------------------------------------
constexpr Tip kAddressListTips[] = {
    {IDC_AL_LISTS, "List of current mailing lists"},
    {IDC_AL_NEW_LIST, "Create a new mailing list"},
    {IDC_AL_DELETE_LIST, "Remove a mailing list"},
    {IDC_AL_ADDRESSES, "Contents of mailing list"},
    {IDC_AL_ADD_ADDRESS, "Add an address to a mailing list"},
    {IDC_AL_DELETE_ADDRESS, "Remove an address from a mailing list"},
    {IDC_AL_EDIT_ADDRESS, "Change an address in a mailing list"},
};

// ---- Aliases ---------------------------------------------------------------------
constexpr Tip kAliasTips[] = {
    {IDC_ALIAS_TO_ADDRESS, "Convert one address to another"},
    {IDC_ALIAS_TO_LIST, "Expand one address to all addresses on mailing list"},
    {IDC_ALIAS_TO_ALL, "Expand one address to all addresses held on mail server"},
    {IDC_ALIAS_ADDRESS, "Enter the address to change"},
    {IDC_ALIAS_TARGET, "Enter the substitute address"},
    {IDC_ALIAS_LIST, "List of current aliases"},
    {IDC_ALIAS_NEW, "Create a new address alias"},
    {IDC_ALIAS_DELETE, "Remove an address alias"},
    {IDC_ALIAS_EDIT, "Change an address alias"},
    {IDC_ALIAS_SAVE, "Save alias"},
    {IDC_ALIAS_CANCEL, "Cancel operation"},
    {IDC_ALIAS_LIST_CHOICE, "Select a mailing list"},
};
constexpr int kAliasTargetControls[] = {IDC_ALIAS_TARGET};
constexpr int kAliasListControls[] = {IDC_ALIAS_LIST_CHOICE};
constexpr ui::EnableRule kAliasRules[] = {
    {IDC_ALIAS_TO_ADDRESS, kAliasTargetControls},
    {IDC_ALIAS_TO_LIST, kAliasListControls},
};

// ---- Foot Note -------------------------------------------------------------------
constexpr Tip kFootNoteTips[] = {
    {IDC_FOOT_TEXT, "The foot note to add"},
    {IDC_FOOT_ENABLE, "Enable the adding of a foot note"},
};
constexpr ui::Binding kFootNoteBindings[] = {ui::check(IDC_FOOT_ENABLE, cfg::kFootnoteUse)};

// ---- Scanner ---------------------------------------------------------------------
constexpr Tip kScannerTips[] = {
    {IDC_SCAN_ENABLE, "Enable the scanner system"},
    {IDC_SCAN_PHRASES, "The phrases to look for"},
    {IDC_SCAN_ADD, "Add a new phrase"},
    {IDC_SCAN_DELETE, "Remove a phrase"},
    {IDC_SCAN_EDIT, "Change a phrase"},
    {IDC_SCAN_DESTINATION, "User to receive matching message"},
};
constexpr ui::Binding kScannerBindings[] = {
    ui::check(IDC_SCAN_ENABLE, cfg::kScannerUse),
    ui::comboText(IDC_SCAN_DESTINATION, cfg::kScannerRecipient, accountNames, true),
};
constexpr int kScanControls[] = {IDC_SCAN_PHRASES, IDC_SCAN_ADD, IDC_SCAN_DELETE, IDC_SCAN_EDIT,
                                 IDC_SCAN_DESTINATION};
constexpr ui::EnableRule kScannerRules[] = {{IDC_SCAN_ENABLE, kScanControls}};

// ---- Attachments -----------------------------------------------------------------
constexpr Tip kAttachmentTips[] = {
    {IDC_ATT_FOLDER, "The folder to save attachments in"},
    {IDC_ATT_ENABLE, "Enable attachment removal"},
    {IDC_ATT_TYPES, "Attachment extensions..."},
    {IDC_ATT_BROWSE, "Select the folder to save attachments in"},
    {IDC_ATT_ADD_TYPE, "Add single attachment type.."},
    {IDC_ATT_KEPT_TYPES, "Remove all attachments except these..."},
    {IDC_ATT_ADD_ALL, "Add all attachment types..."},
    {IDC_ATT_REMOVE_ALL, "Remove all attachment types"},
    {IDC_ATT_REMOVE_TYPE, "Remove single attachment type..."},
    {IDC_ATT_LEAVE_COPY, "Remove attachment from within the original message"},
    {IDC_ATT_ADD_ADDRESS, "Add senders email address..."},
    {IDC_ATT_REMOVE_ADDRESS, "Remove senders email address..."},
    {IDC_ATT_EDIT_ADDRESS, "Edit senders email address..."},
    {IDC_ATT_ADDRESSES, "Do not remove attachment if senders email address is listed..."},
};
constexpr ui::Binding kAttachmentBindings[] = {
    ui::check(IDC_ATT_ENABLE, cfg::kAttachmentsRemove),
    ui::check(IDC_ATT_LEAVE_COPY, cfg::kAttachmentsLeaveCopy),
    ui::text(IDC_ATT_FOLDER, cfg::kAttachmentsFolder),
};
constexpr int kAttachmentControls[] = {
    IDC_ATT_TYPES, IDC_ATT_ADD_TYPE, IDC_ATT_ADD_ALL, IDC_ATT_REMOVE_ALL, IDC_ATT_REMOVE_TYPE, IDC_ATT_KEPT_TYPES,
    IDC_ATT_ADDRESSES, IDC_ATT_ADD_ADDRESS, IDC_ATT_REMOVE_ADDRESS, IDC_ATT_EDIT_ADDRESS, IDC_ATT_FOLDER,
    IDC_ATT_BROWSE, IDC_ATT_LEAVE_COPY, IDC_ATT_LBL_TYPES, IDC_ATT_LBL_KEPT, IDC_ATT_LBL_ADDRESSES, IDC_ATT_LBL_FOLDER};
constexpr ui::EnableRule kAttachmentRules[] = {{IDC_ATT_ENABLE, kAttachmentControls}};

// ---- Ports -----------------------------------------------------------------------
constexpr Tip kPortTips[] = {
    {IDC_PORT_SMTP_IDLE, "Number of inactive seconds before connection terminated"},
    {IDC_PORT_POP_IDLE, "Number of inactive seconds before connection terminated"},
};
constexpr ui::Binding kPortBindings[] = {
    ui::text(IDC_PORT_SMTP_PORT, cfg::kSmtpListener.port),
    ui::text(IDC_PORT_POP_PORT, cfg::kPopListener.port),
};

// ---- Options ---------------------------------------------------------------------
constexpr Tip kOptionTips[] = {
    {IDC_OPT_PASSWORD, "Password that must appear in admin messages"},
    {IDC_OPT_ARCHIVE_IN, "Save a copy of incoming mail"},
    {IDC_OPT_VIEW_LOG, "View the event log file"},
    {IDC_OPT_SET_FOLDER, "Set the location of the archive folder"},
    {IDC_OPT_SWAP, "Change order of online operations"},
    {IDC_OPT_ARCHIVE_OUT, "Save a copy of outgoing mail"},
    {IDC_OPT_CONNECT_START, "Exchange mail when server started"},
    {IDC_OPT_LOG_FILE, "Save event log to a file"},
    {IDC_OPT_TIPS, "Disable me"},
    {IDC_OPT_ADMIN_LOCAL, "Local users can send admin commands"},
    {IDC_OPT_ADMIN_ANYONE, "Anyone can send admin commands"},
    {IDC_OPT_WARN, "Email postmaster if connection fails"},
    {IDC_OPT_SHOW_PASSWORD, "Shows or hides the password"},
    {IDC_OPT_FIRST, "Operation to perform first"},
    {IDC_OPT_SECOND, "Operation to perform second"},
};
// In the order Apply writes them (after the order of operations).
constexpr ui::Binding kOptionBindings[] = {
    ui::check(IDC_OPT_CONNECT_START, cfg::kConnectOnStartup),
    ui::check(IDC_OPT_ARCHIVE_IN, cfg::kArchiveIncoming),
    ui::check(IDC_OPT_ARCHIVE_OUT, cfg::kArchiveOutgoing),
    ui::check(IDC_OPT_LOG_FILE, cfg::kEventLogUse),
    ui::check(IDC_OPT_TIPS, cfg::kTooltipsUse),
    ui::check(IDC_OPT_ADMIN_LOCAL, cfg::kRadmInternal),
    ui::check(IDC_OPT_WARN, cfg::kWarnOnConnectFail),
    ui::check(IDC_OPT_ADMIN_ANYONE, cfg::kRadmExternal),
    ui::secret(IDC_OPT_PASSWORD, cfg::kRadmPassword),
    ui::text(IDC_OPT_FOLDER, cfg::kArchiveFolder),
};

// ---- The table -------------------------------------------------------------------
const PageRow kPages[] = {
    {.title = "Domain", .dialog = IDD_PAGE_DOMAIN, .icon = IDI_PAGE_DOMAIN, .help = help::kDomains,
     .tips = kDomainTips, .bindings = kDomainBindings, .rules = kDomainRules, .behaviour = makeDomainPage},
    {.title = "Dialup", .dialog = IDD_PAGE_DIALUP, .icon = IDI_PAGE_DIALUP, .help = help::kDialup,
     .tips = kDialupTips, .bindings = kDialupBindings, .rules = kDialupRules, .behaviour = makeDialupPage},
    {.title = "Outgoing", .dialog = IDD_PAGE_OUTGOING, .icon = IDI_PAGE_OUTGOING, .help = help::kOutgoing,
     .tips = kOutgoingTips, .bindings = kOutgoingBindings, .rules = kOutgoingRules, .behaviour = makeOutgoingPage},
    {.title = "Incoming", .dialog = IDD_PAGE_INCOMING, .icon = IDI_PAGE_INCOMING, .help = help::kIncoming,
     .tips = kIncomingTips, .bindings = kIncomingBindings, .rules = kIncomingRules, .behaviour = makeIncomingPage},
    {.title = "Anti-Spam", .dialog = IDD_PAGE_ANTISPAM, .icon = IDI_PAGE_ANTISPAM, .help = help::kSpam,
     .tips = kAntiSpamTips, .bindings = kAntiSpamBindings, .rules = kAntiSpamRules, .behaviour = makeAntiSpamPage},
    {.title = "Schedule", .dialog = IDD_PAGE_SCHEDULE, .icon = IDI_PAGE_SCHEDULE, .help = help::kSchedule,
     .tips = kScheduleTips, .bindings = kScheduleBindings, .rules = kScheduleRules, .behaviour = makeSchedulePage},
    {.title = "Reminders", .dialog = IDD_PAGE_REMINDERS, .icon = IDI_PAGE_REMINDERS, .help = help::kReminder,
     .tips = kReminderTips, .behaviour = makeRemindersPage},
    {.title = "Routing", .dialog = IDD_PAGE_ROUTING, .icon = IDI_PAGE_ROUTING, .help = help::kRouting,
     .tips = kRoutingTips, .behaviour = makeRoutingPage},
    {.title = "Password", .dialog = IDD_PAGE_PASSWORD, .icon = IDI_PAGE_PASSWORD, .help = help::kPassword,
     .tips = kPasswordTips, .bindings = kPasswordBindings, .behaviour = makePasswordPage},
    {.title = "Address Lists", .dialog = IDD_PAGE_ADDRESS_LISTS, .icon = IDI_PAGE_ADDRESS_LISTS,
     .help = help::kAddressLists, .tips = kAddressListTips, .behaviour = makeAddressListsPage},
    {.title = "Aliases", .dialog = IDD_PAGE_ALIASES, .icon = IDI_PAGE_ALIASES, .help = help::kAliases,
     .tips = kAliasTips, .rules = kAliasRules, .behaviour = makeAliasesPage},
    {.title = "Foot Note", .dialog = IDD_PAGE_FOOTNOTE, .icon = IDI_PAGE_FOOTNOTE, .help = help::kFootNote,
     .tips = kFootNoteTips, .bindings = kFootNoteBindings, .behaviour = makeFootNotePage},
    {.title = "Scanner", .dialog = IDD_PAGE_SCANNER, .icon = IDI_PAGE_SCANNER, .help = help::kScanner,
     .tips = kScannerTips, .bindings = kScannerBindings, .rules = kScannerRules, .behaviour = makeScannerPage},
    {.title = "Attachments", .dialog = IDD_PAGE_ATTACHMENTS, .icon = IDI_PAGE_ATTACHMENTS,
     .help = help::kAttachments, .tips = kAttachmentTips, .bindings = kAttachmentBindings, .rules = kAttachmentRules,
     .behaviour = makeAttachmentsPage},
    {.title = "Ports", .dialog = IDD_PAGE_PORTS, .icon = IDI_PAGE_PORTS, .help = help::kPorts, .tips = kPortTips,
     .bindings = kPortBindings, .behaviour = makePortsPage},
    {.title = "Options", .dialog = IDD_PAGE_OPTIONS, .icon = IDI_PAGE_OPTIONS, .help = help::kOptions,
     .tips = kOptionTips, .bindings = kOptionBindings, .behaviour = makeOptionsPage},
};

}  // namespace

std::span<const PageRow> pageTable() { return kPages; }

}  // namespace admin
