#include "admin/filter_record.h"

#include <climits>
#include <vector>

namespace admin {
namespace {

// Splits at every separator; a final separator ends the last piece
// rather than starting an empty one.
std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find(separator, from);
        if (end == std::string_view::npos) end = text.size();
        pieces.push_back(text.substr(from, end - from));
        from = end + 1;
    }
    return pieces;
}

// The optional sign and leading digits of text, saturating at int's range;
// no digits read as 0.
int number(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        i = 1;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    return static_cast<int>(value);
}

// text without the characters in drop.
std::string without(std::string_view text, std::string_view drop) {
    std::string kept;
    kept.reserve(text.size());
    for (char c : text)
        if (drop.find(c) == std::string_view::npos) kept.push_back(c);
    return kept;
}

constexpr std::string_view kNotInField{"~\r\n\0", 4};
constexpr std::string_view kNotInRelayText{"~\r\n\0:", 5};

class FieldReader {
public:
    FieldReader(std::string_view text, char separator) : pieces_(split(text, separator)) {}
    std::string_view next() { return at_ < pieces_.size() ? pieces_[at_++] : std::string_view(); }
    int nextNumber() { return number(next()); }
    std::string nextText() { return std::string(next()); }
    // A relay text: " " stands for empty.
    std::string nextRelayText() {
        std::string_view piece = next();
        return piece == " " ? std::string() : std::string(piece);
    }

private:
    std::vector<std::string_view> pieces_;
    std::size_t at_ = 0;
};

void putField(std::string& out, std::string_view field) {
    out += without(field, kNotInField);
    out += kFieldEnd;
}
void putField(std::string& out, int value) { putField(out, std::to_string(value)); }

void putRelay(std::string& out, int value) {
    if (!out.empty()) out += kRelaySeparator;
    out += std::to_string(value);
}
void putRelay(std::string& out, std::string_view text) {
    if (!out.empty()) out += kRelaySeparator;
    std::string kept = without(text, kNotInRelayText);
    out += kept.empty() ? std::string(" ") : kept;
}

RelayChange readAddressChange(FieldReader& in) {
    RelayChange c;
    c.change = in.nextNumber();
    c.how = in.nextNumber();
    c.domain = in.nextRelayText();
    c.address = in.nextRelayText();
    return c;
}

RelayChange readLineChange(FieldReader& in) {
    RelayChange c;
    c.change = in.nextNumber();
    c.how = in.nextNumber();
    c.domain = in.nextRelayText();
    c.name = in.nextRelayText();
    c.address = in.nextRelayText();
    return c;
}

void putAddressChange(std::string& out, const RelayChange& c) {
    putRelay(out, c.change);
    putRelay(out, c.how);
    putRelay(out, c.domain);
    putRelay(out, c.address);
}

void putLineChange(std::string& out, const RelayChange& c) {
    putRelay(out, c.change);
    putRelay(out, c.how);
    putRelay(out, c.domain);
    putRelay(out, c.name);
    putRelay(out, c.address);
}

}  // namespace

const ActionInfo* actionInfo(int code) { return code >= 0 && code < kActionCount ? &kActions[code] : nullptr; }

FilterRecord newFilter(std::string name, int appliesTo) {
    FilterRecord record;
    record.name = std::move(name);
    record.appliesTo = appliesTo;
    for (int slot = 0; slot < kActionSlots; ++slot) chooseAction(record, slot, kNoOperation);
    return record;
}

FilterRecord parseFilterRecord(std::string_view text) {
    FieldReader in(text, kFieldEnd);
    FilterRecord r;
    r.name = in.nextText();
    r.appliesTo = in.nextNumber();
    r.active = in.nextNumber();
    r.reserved4 = in.nextText();
    r.reserved5 = in.nextText();
    r.first.subject = in.nextNumber();
    r.first.op = in.nextNumber();
    r.first.value = in.nextText();
    r.conjunction = in.nextNumber();
    r.second.subject = in.nextNumber();
    r.second.op = in.nextNumber();
    r.second.value = in.nextText();
    for (FilterAction& action : r.actions) {
        action.code = in.nextNumber();
        action.parameter = in.nextText();
    }
    return r;
}

std::string formatFilterRecord(const FilterRecord& r) {
    std::string out;
    putField(out, r.name);
    putField(out, r.appliesTo);
    putField(out, r.active);
    putField(out, r.reserved4);
    putField(out, r.reserved5);
    putField(out, r.first.subject);
    putField(out, r.first.op);
    putField(out, r.first.value);
    putField(out, r.conjunction);
    putField(out, r.second.subject);
    putField(out, r.second.op);
    putField(out, r.second.value);
    for (const FilterAction& action : r.actions) {
        putField(out, action.code);
        putField(out, action.parameter);
    }
    return out;
}

void chooseAction(FilterRecord& record, int slot, int code) {
    if (slot < 0 || slot >= kActionSlots) return;
    FilterAction& action = record.actions[static_cast<std::size_t>(slot)];
    action.code = code;
    const ActionInfo* info = actionInfo(code);
    action.parameter = info && info->storedText ? info->storedText : "";
    applyTerminalRule(record);
}

int terminalSlot(const FilterRecord& record) {
    for (int slot = 0; slot < kActionSlots; ++slot) {
        const ActionInfo* info = actionInfo(record.actions[static_cast<std::size_t>(slot)].code);
        if (info && info->endsProcessing) return slot;
    }
    return -1;
}

void applyTerminalRule(FilterRecord& record) {
    int last = terminalSlot(record);
    if (last < 0) return;
    for (int slot = last + 1; slot < kActionSlots; ++slot)
        record.actions[static_cast<std::size_t>(slot)] = {kNoOperation, kActions[kNoOperation].storedText};
}

std::string buttonCaption(const FilterAction& action) {
    const ActionInfo* info = actionInfo(action.code);
    if (action.parameter.empty()) return info ? info->prompt : kActions[kNoOperation].prompt;
    if (action.code == kRelayAction) return kRelayCaption;
    return action.parameter;
}

std::string fitCaption(std::string_view text, const std::function<bool(std::string_view)>& fits) {
    if (fits(text)) return std::string(text);
    constexpr std::string_view kMore = " ...";
    for (std::size_t keep = text.size(); keep-- > 0;) {
        std::string cut = std::string(text.substr(0, keep)) + std::string(kMore);
        if (fits(cut) || keep == 0) return cut;
    }
    return std::string(kMore);
}

bool printsHeader(std::string_view parameter) { return parameter.find(kHeaderOn) != std::string_view::npos; }

RelaySettings parseRelaySettings(std::string_view text) {
    if (text.size() < 2 || text[1] != kRelaySeparator) return {};
    FieldReader in(text, kRelaySeparator);
    RelaySettings s;
    s.sender = readAddressChange(in);
    s.recipient = readAddressChange(in);
    s.fromLine = readLineChange(in);
    s.toLine = readLineChange(in);
    return s;
}

std::string formatRelaySettings(const RelaySettings& s) {
    std::string out;
    putAddressChange(out, s.sender);
    putAddressChange(out, s.recipient);
    putLineChange(out, s.fromLine);
    putLineChange(out, s.toLine);
    return out;
}

}  // namespace admin
