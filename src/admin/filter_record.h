// The routing filter record: the contract between the Routing page, which
// writes the filters into section routes of ms.ini (operation0, 1, ... in
// the order they are applied), and the server's filter engine, which reads
// them. A record is 22 fields, each followed by "~"; the parameter of the
// relay action is itself 18 fields separated by ":". docs/routing-filters.md
// describes both for engine authors and is checked against the tables here.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>

namespace admin {

inline constexpr char kFieldEnd = '~';
inline constexpr int kRecordFields = 22;
inline constexpr int kActionSlots = 5;
// What the condition values, the relay texts and the dialogs' entries hold.
inline constexpr int kFilterTextMax = 511;

// Field 2: which mail a filter applies to.
inline constexpr int kExternalMail = 1;
inline constexpr int kInternalMail = 2;
inline constexpr int kAllMail = 3;
// Field 3: 1 is active; any other value counts as inactive (2 is written).
inline constexpr int kActive = 1;
inline constexpr int kInactive = 2;

// The names of the codes, in code order (a combo's index is the code).
inline constexpr const char* kSubjectNames[] = {
    "Recipient Address", "Senders Address", "Subject Line",    "To Line",        "From Line",        "Reply-To Line",
    "CC Line",           "Date Line",       "Message-id Line", "Any Header Line", "Any Message Line",
};
inline constexpr const char* kOperatorNames[] = {
    "Contains", "Does not contain", "Is", "Is not", "Starts with", "Ends with", "Appears", "Does not appear",
};
inline constexpr const char* kConjunctionNames[] = {"Off", "And", "Or", "Unless"};

// What an action's parameter holds, and so how the editor chooses it.
enum class ParameterKind { None, PrintOptions, Address, Mailbox, Folder, File, Program, AddressList, Relay };

struct ActionInfo {
    const char* name;
    ParameterKind parameter;
    const char* prompt;         // the parameter button's caption while the parameter is empty
    const char* storedText;     // the parameter stored for this action, or null: chosen by the user
    bool endsProcessing;        // no action may follow it
};

inline constexpr ActionInfo kActions[] = {
    {"No operation", ParameterKind::None, "Unspecified operation...", "Unspecified operation...", false},
    {"Print the message", ParameterKind::PrintOptions, "Click to set options...", nullptr, false},
    {"Delete the message", ParameterKind::None, "Remove message...", "Remove message...", true},
    {"Send undeliverable email", ParameterKind::None, "Send an undelivered mail message...",
     "Send an undelivered mail message...", false},
    {"Forward to address", ParameterKind::Address, "Click to enter address...", nullptr, false},
    {"Redirect to address", ParameterKind::Address, "Click to enter address...", nullptr, true},
    {"Transfer to mailbox", ParameterKind::Mailbox, "Click to select mailbox...", nullptr, true},
    {"Copy to mailbox", ParameterKind::Mailbox, "Click to select mailbox...", nullptr, false},
    {"Copy to a folder", ParameterKind::Folder, "Click to select directory...", nullptr, false},
    {"Email back a text file", ParameterKind::File, "Click to select file...", nullptr, false},
    {"Email back an attachment", ParameterKind::File, "Click to select file...", nullptr, false},
    {"Execute a program", ParameterKind::Program, "Click to select program...", nullptr, false},
    {"Add sender to mail list", ParameterKind::AddressList, "Click to select list...", nullptr, false},
    {"Remove sender from mail list", ParameterKind::AddressList, "Click to select list...", nullptr, false},
    {"Forward message to mail list", ParameterKind::AddressList, "Click to select list...", nullptr, false},
    {"Redirect message to mail list", ParameterKind::AddressList, "Click to select list...", nullptr, true},
    {"Remove any attachments", ParameterKind::Folder, "Click to select directory...", nullptr, false},
    {"Relay", ParameterKind::Relay, "Click to set options...", nullptr, false},
    {"Add address to spam list", ParameterKind::None, "Add recipient to spam black list", nullptr, false},
};
inline constexpr int kActionCount = static_cast<int>(std::size(kActions));
inline constexpr int kNoOperation = 0;
inline constexpr int kRelayAction = 17;

// The entry of a code, or null for a code that no table holds.
const ActionInfo* actionInfo(int code);

// Action 1's parameter: whether the header is printed too.
inline constexpr char kHeaderOn[] = "Header: on";
inline constexpr char kHeaderOff[] = "Header: off";
// Action 17's button caption once it has settings.
inline constexpr char kRelayCaption[] = "Relay options...";

struct Condition {
    int subject = 0;
    int op = 0;
    std::string value;
    bool operator==(const Condition&) const = default;
};

struct FilterAction {
    int code = kNoOperation;
    std::string parameter;
    bool operator==(const FilterAction&) const = default;
};

struct FilterRecord {
    std::string name;
    int appliesTo = kAllMail;
    int active = kActive;
    std::string reserved4 = "0", reserved5 = "0";  // kept as read
    Condition first;
    int conjunction = 0;
    Condition second;  // kept and written even while the conjunction is "Off"
    std::array<FilterAction, kActionSlots> actions{};
    bool operator==(const FilterRecord&) const = default;

    bool isActive() const { return active == kActive; }
};

// A new filter: active, no conditions, five "No operation" actions.
FilterRecord newFilter(std::string name, int appliesTo);

// Missing fields read as empty (numbers 0); text after the 22nd field is
// ignored. A number is its optional sign and leading digits, saturating.
FilterRecord parseFilterRecord(std::string_view text);
// Every field followed by "~"; characters a field cannot hold ("~", line
// breaks, NUL) are left out so that the record stays one line of 22 fields.
std::string formatFilterRecord(const FilterRecord& record);

// Sets a slot's action with an empty parameter (or the action's stored
// text), then applies the rule of the actions that end processing.
void chooseAction(FilterRecord& record, int slot, int code);
// The first slot whose action ends processing, or -1.
int terminalSlot(const FilterRecord& record);
// Every slot after the first terminal action becomes "No operation".
void applyTerminalRule(FilterRecord& record);

// What a parameter button shows: the parameter, "Relay options..." for a
// relay with settings, or the action's prompt while it is empty.
std::string buttonCaption(const FilterAction& action);
// text itself when it fits, else as many of its first characters as fit
// with " ..." after them.
std::string fitCaption(std::string_view text, const std::function<bool(std::string_view)>& fits);

bool printsHeader(std::string_view parameter);

// ---- The relay settings (parameter of action 17) ---------------------------------
inline constexpr char kRelaySeparator = ':';
inline constexpr int kRelayFields = 18;

// One of the four changes: the envelope sender and recipient, and the
// From: and To: lines. With how 0 the address keeps its local part and
// takes domain; with how 1 it becomes address (with name for the lines).
struct RelayChange {
    int change = 0;  // 1: made
    int how = 0;
    std::string domain;
    std::string name;  // the From: and To: lines only
    std::string address;
    bool operator==(const RelayChange&) const = default;
};

struct RelaySettings {
    RelayChange sender, recipient, fromLine, toLine;
    bool operator==(const RelaySettings&) const = default;
};

// All off and empty unless the text's second character is ":"; a text
// field holding " " reads as empty.
RelaySettings parseRelaySettings(std::string_view text);
// "%d:%d:%s:%s:%d:%d:%s:%s:%d:%d:%s:%s:%s:%d:%d:%s:%s:%s", an empty text
// written " "; ":" and the characters a record field cannot hold are left out.
std::string formatRelaySettings(const RelaySettings& settings);

}  // namespace admin
