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
int numberIn(std::string_view text) {
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

// Both forms are read and written by the same list of fields, in their
// order (recordFields, relayFields), through a reader or a writer.
enum class Form { Record, Relay };

class FieldReader {
public:
    FieldReader(std::string_view text, Form form)
        : pieces_(split(text, form == Form::Record ? kFieldEnd : kRelaySeparator)), form_(form) {}
    void number(int& value) { value = numberIn(next()); }
    // A relay text of one space stands for an empty one.
    void text(std::string& value) {
        std::string_view piece = next();
        value = form_ == Form::Relay && piece == " " ? std::string() : std::string(piece);
    }

private:
    std::string_view next() { return at_ < pieces_.size() ? pieces_[at_++] : std::string_view(); }

    std::vector<std::string_view> pieces_;
    std::size_t at_ = 0;
    Form form_;
};

// A record's fields each end with "~"; relay fields stand between ":",
// an empty text written as one space.
class FieldWriter {
public:
    explicit FieldWriter(Form form) : form_(form) {}
    void number(int value) { put(std::to_string(value)); }
    void text(const std::string& value) {
        if (form_ == Form::Record) return put(without(value, kNotInField));
        std::string kept = without(value, kNotInRelayText);
        put(kept.empty() ? std::string(" ") : kept);
    }
    std::string& result() { return out_; }

private:
    void put(const std::string& field) {
        if (form_ == Form::Relay && !out_.empty()) out_ += kRelaySeparator;
        out_ += field;
        if (form_ == Form::Record) out_ += kFieldEnd;
    }

    std::string out_;
    Form form_;
};

template <class Io, class Record>
void recordFields(Io& io, Record& r) {
    io.text(r.name);
    io.number(r.appliesTo);
    io.number(r.active);
    io.text(r.reserved4);
    io.text(r.reserved5);
    io.number(r.first.subject);
    io.number(r.first.op);
    io.text(r.first.value);
    io.number(r.conjunction);
    io.number(r.second.subject);
    io.number(r.second.op);
    io.text(r.second.value);
    for (auto& action : r.actions) {
        io.number(action.code);
        io.text(action.parameter);
    }
}

template <class Io, class Change>
void changeFields(Io& io, Change& c, bool withName) {
    io.number(c.change);
    io.number(c.how);
    io.text(c.domain);
    if (withName) io.text(c.name);
    io.text(c.address);
}

template <class Io, class Settings>
void relayFields(Io& io, Settings& s) {
    changeFields(io, s.sender, false);
    changeFields(io, s.recipient, false);
    changeFields(io, s.fromLine, true);
    changeFields(io, s.toLine, true);
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
    FieldReader in(text, Form::Record);
    FilterRecord r;
    recordFields(in, r);
    return r;
}

std::string formatFilterRecord(const FilterRecord& r) {
    FieldWriter out(Form::Record);
    recordFields(out, r);
    return std::move(out.result());
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
    FieldReader in(text, Form::Relay);
    RelaySettings s;
    relayFields(in, s);
    return s;
}

std::string formatRelaySettings(const RelaySettings& s) {
    FieldWriter out(Form::Relay);
    relayFields(out, s);
    return std::move(out.result());
}

}  // namespace admin
