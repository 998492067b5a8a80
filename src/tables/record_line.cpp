#include "tables/record_line.h"

#include <algorithm>

namespace {

// An objectId is a name ("SS_SH_KND"); a whole number in its place means the
// line has the fields of another version of the game, shifted.
bool isNumber(std::string_view text) {
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) text.remove_prefix(1);
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

FieldReader::FieldReader(std::string_view line, int64_t& paddingBudget)
    : whole_(line), line_(line), fieldsLeft_(std::count(line.begin(), line.end(), ';')),
      paddingBudget_(paddingBudget) {}

void FieldReader::operator()(std::string_view, double& value) {
    const std::string_view field = take();
    check(checkRealField(field), field);
    value = textToReal(field);
}

// Reads a group's count; true when its entries are to be sized to it.
bool FieldReader::groupFits(int32_t& count, int entryFields) {
    const std::string_view countField = readInteger(count);
    if (count > kMaxTableCount) {
        fail(TableProblemKind::groupTooLarge, countField);
        return false;
    }
    if (count <= 0 || stopped_) return false;
    const int64_t fillable = (fieldsLeft_ + entryFields - 1) / entryFields;
    const int64_t padding = std::max<int64_t>(0, count - fillable);
    if (padding > paddingBudget_) {
        fail(TableProblemKind::tooManyEmpty, countField);
        return false;
    }
    paddingBudget_ -= padding;
    return true;
}

LineFault FieldReader::finish(const std::string& objectId, std::string& rest) {
    if (lastFieldEnded_) rest = line_;
    if (fault_.kind == TableProblemKind::none && !lastFieldEnded_ && !line_.empty())
        fault_ = {TableProblemKind::textAfterLastField, 0, line_};
    if (fault_.kind == TableProblemKind::none && lastFieldEnded_ && isNumber(objectId)) {
        // The objectId is the field that ends just before the rest; the fault views the line.
        const size_t end = whole_.size() - line_.size() - 1;
        const size_t start = end - objectId.size();
        fault_ = {TableProblemKind::otherVersion,
                  static_cast<int>(std::count(whole_.begin(), whole_.begin() + static_cast<std::ptrdiff_t>(start), ';')) + 1,
                  whole_.substr(start, objectId.size())};
    }
    return fault_;
}

std::string_view FieldReader::take() {
    ++fieldNumber_;
    lastFieldEnded_ = fieldsLeft_ > 0;
    if (!lastFieldEnded_) return {};
    --fieldsLeft_;
    return takeField(line_);
}

std::string_view FieldReader::readInteger(int32_t& value) {
    const std::string_view field = take();
    const FieldFault fault = readIntegerField(field, value);
    if (fault != FieldFault::none) {
        check(fault, field);
        value = textToInt(field);
    }
    return field;
}

void FieldReader::check(FieldFault fault, std::string_view field) {
    if (fault == FieldFault::none || fault_.kind != TableProblemKind::none) return;
    fault_ = {problemKindOf(fault), fieldNumber_, field};
}

// A count the table cannot be built from: no further group is sized.
void FieldReader::fail(TableProblemKind kind, std::string_view field) {
    stopped_ = true;
    if (fault_.kind == TableProblemKind::none) fault_ = {kind, fieldNumber_, field};
}

std::string manoeuvrabilityText(double value) {
    std::string text = realToText(value);
    if (text.find('.') == std::string::npos) text += ".0";
    if (text.size() < 7) text.append(7 - text.size(), '0');
    return text;
}
