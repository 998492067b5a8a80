#include "tables/record_line.h"

#include <algorithm>
#include <span>

#include "tables/columns.h"
#include "tables/fields.h"
#include "text/convert.h"

namespace {

// Takes the fields of one line in column order, checking each numeric field
// against the rules of fields.h and remembering the first fault. It counts the
// semicolons left on the line, which tells how many entries a group can still fill
// from it, and lets it answer every field after the last semicolon as empty
// without rescanning the leftover text (a huge count must not make reading
// quadratic).
class FieldReader {
public:
    FieldReader(std::string_view line, int64_t& paddingBudget)
        : line_(line), fieldsLeft_(std::count(line.begin(), line.end(), ';')),
          paddingBudget_(paddingBudget) {}

    void operator()(std::string_view, int32_t& value) { readInteger(value); }
    void operator()(std::string_view, double& value) {
        const std::string_view field = take();
        check(checkRealField(field), field);
        value = textToReal(field);
    }
    void operator()(std::string_view, std::string& text) { text = take(); }
    void manoeuvrability(std::string_view name, double& value) { (*this)(name, value); }

    template <class Entry>
    std::span<Entry> group(std::string_view, int32_t& count, std::vector<Entry>& entries) {
        static_assert(kEntryFields<Entry> > 0, "a group entry needs its field count");
        const std::string_view countField = readInteger(count);
        if (count > kMaxTableCount) {
            fail(TableProblemKind::groupTooLarge, countField);
            return {};
        }
        if (count <= 0 || stopped_) return {};
        const int64_t fillable = (fieldsLeft_ + kEntryFields<Entry> - 1) / kEntryFields<Entry>;
        const int64_t padding = std::max<int64_t>(0, count - fillable);
        if (padding > paddingBudget_) {
            fail(TableProblemKind::tooManyEmpty, countField);
            return {};
        }
        paddingBudget_ -= padding;
        entries.resize(static_cast<size_t>(count));
        return entries;
    }

    // The first fault of the line, text after its last semicolon included.
    LineFault finish() {
        if (fault_.kind == TableProblemKind::none && !lastFieldEnded_ && !line_.empty())
            fault_ = {TableProblemKind::textAfterLastField, 0, line_};
        return fault_;
    }
    bool lastFieldEnded() const { return lastFieldEnded_; }
    std::string_view left() const { return line_; }

private:
    std::string_view take() {
        ++fieldNumber_;
        lastFieldEnded_ = fieldsLeft_ > 0;
        if (!lastFieldEnded_) return {};
        --fieldsLeft_;
        return takeField(line_);
    }

    // Reads an integer field, checked; returns the field's text.
    std::string_view readInteger(int32_t& value) {
        const std::string_view field = take();
        const FieldFault fault = readIntegerField(field, value);
        if (fault != FieldFault::none) {
            check(fault, field);
            value = textToInt(field);
        }
        return field;
    }

    void check(FieldFault fault, std::string_view field) {
        if (fault == FieldFault::none || fault_.kind != TableProblemKind::none) return;
        fault_ = {problemKindOf(fault), fieldNumber_, field};
    }

    // A count the table cannot be built from: no further group is sized.
    void fail(TableProblemKind kind, std::string_view field) {
        stopped_ = true;
        if (fault_.kind == TableProblemKind::none) fault_ = {kind, fieldNumber_, field};
    }

    std::string_view line_;
    int64_t fieldsLeft_;
    int64_t& paddingBudget_;
    int fieldNumber_ = 0;
    LineFault fault_;
    bool stopped_ = false;
    bool lastFieldEnded_ = false;
};

class FieldWriter {
public:
    explicit FieldWriter(std::string& out) : out_(out) {}

    void operator()(std::string_view, int32_t value) { field(intToText(value)); }
    void operator()(std::string_view, double value) { field(realToText(value)); }
    void operator()(std::string_view, const std::string& text) { field(text); }
    void manoeuvrability(std::string_view, double value) { field(manoeuvrabilityText(value)); }

    template <class Entry>
    std::span<const Entry> group(std::string_view name, int32_t count,
                                 const std::vector<Entry>& entries) {
        (*this)(name, count);
        return entries;
    }

private:
    void field(std::string_view text) {
        out_ += text;
        out_ += ';';
    }

    std::string& out_;
};

// An objectId is a name ("SS_SH_KND"); a whole number in its place means the
// line has the fields of another version of the game, shifted.
bool isNumber(std::string_view text) {
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) text.remove_prefix(1);
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

template <class Record>
LineFault readLine(std::string_view line, Record& record, int64_t& paddingBudget) {
    FieldReader reader(line, paddingBudget);
    forEachColumn(record, reader);
    if (reader.lastFieldEnded()) record.rest = reader.left();
    LineFault fault = reader.finish();
    if (fault.kind == TableProblemKind::none && reader.lastFieldEnded() && isNumber(record.objectId)) {
        // The objectId is the field that ends just before the rest; the fault views the line.
        const size_t end = line.size() - reader.left().size() - 1;
        const size_t start = end - record.objectId.size();
        fault = {TableProblemKind::otherVersion,
                 static_cast<int>(std::count(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(start), ';')) + 1,
                 line.substr(start, record.objectId.size())};
    }
    return fault;
}

template <class Record>
void appendLine(std::string& out, const Record& record, std::string_view lineEnd) {
    FieldWriter writer(out);
    forEachColumn(record, writer);
    out += record.rest;
    out += lineEnd;
}

} // namespace

std::string manoeuvrabilityText(double value) {
    std::string text = realToText(value);
    if (text.find('.') == std::string::npos) text += ".0";
    if (text.size() < 7) text.append(7 - text.size(), '0');
    return text;
}

LineFault readRecordLine(std::string_view line, TShips& record, int64_t& budget) {
    return readLine(line, record, budget);
}
LineFault readRecordLine(std::string_view line, TLasers& record, int64_t& budget) {
    return readLine(line, record, budget);
}
LineFault readRecordLine(std::string_view line, TBullets& record, int64_t& budget) {
    return readLine(line, record, budget);
}
LineFault readRecordLine(std::string_view line, TShields& record, int64_t& budget) {
    return readLine(line, record, budget);
}
LineFault readRecordLine(std::string_view line, TRockets& record, int64_t& budget) {
    return readLine(line, record, budget);
}
LineFault readRecordLine(std::string_view line, TCockpits& record, int64_t& budget) {
    return readLine(line, record, budget);
}
LineFault readRecordLine(std::string_view line, TStations& record, int64_t& budget) {
    return readLine(line, record, budget);
}
LineFault readRecordLine(std::string_view line, TWares& record, int64_t& budget) {
    return readLine(line, record, budget);
}

void appendRecordLine(std::string& out, const TShips& record, std::string_view lineEnd) {
    appendLine(out, record, lineEnd);
}
void appendRecordLine(std::string& out, const TLasers& record, std::string_view lineEnd) {
    appendLine(out, record, lineEnd);
}
void appendRecordLine(std::string& out, const TBullets& record, std::string_view lineEnd) {
    appendLine(out, record, lineEnd);
}
void appendRecordLine(std::string& out, const TShields& record, std::string_view lineEnd) {
    appendLine(out, record, lineEnd);
}
void appendRecordLine(std::string& out, const TRockets& record, std::string_view lineEnd) {
    appendLine(out, record, lineEnd);
}
void appendRecordLine(std::string& out, const TCockpits& record, std::string_view lineEnd) {
    appendLine(out, record, lineEnd);
}
void appendRecordLine(std::string& out, const TStations& record, std::string_view lineEnd) {
    appendLine(out, record, lineEnd);
}
void appendRecordLine(std::string& out, const TWares& record, std::string_view lineEnd) {
    appendLine(out, record, lineEnd);
}
