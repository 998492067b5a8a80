#include "tables/table_file.h"

#include "text/cp1251.h"
#include "text/format.h"
#include "text/texts.h"

namespace {

// The file's own text as the user sees it quoted: control characters as '?',
// at most 40 characters, a longer text cut with "…".
std::string quoted(std::string_view text, Language language) {
    constexpr size_t kLongest = 40;
    std::string shown(text.substr(0, kLongest));
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20) c = '?';
    if (text.size() > kLongest) shown += u8"…"_cp1251;
    return formatText(::text(Text::quoted, language), {shown});
}

} // namespace

std::string quotedText(std::string_view text, Language language) { return quoted(text, language); }

std::string problemReason(const TableProblem& p, Language language) {
    const auto reason = [&](Text key, const std::string& what) {
        return formatText(text(key, language), {what});
    };
    switch (p.kind) {
    case TableProblemKind::none: return {};
    case TableProblemKind::noHeader: return std::string(text(Text::noHeader, language));
    case TableProblemKind::notNumber: return reason(Text::notNumber, quoted(p.text, language));
    case TableProblemKind::notInteger: return reason(Text::notInteger, quoted(p.text, language));
    case TableProblemKind::outOfRange: return reason(Text::outOfRange, quoted(p.text, language));
    case TableProblemKind::textAfterLastField:
        return reason(Text::textAfterLastField, quoted(p.text, language));
    case TableProblemKind::nulByte: return reason(Text::nulByte, p.text);
    case TableProblemKind::countAboveLines:
        return formatText(text(Text::countAboveLines, language), {p.text, p.recordLines});
    case TableProblemKind::otherVersion: return reason(Text::otherVersion, quoted(p.text, language));
    case TableProblemKind::badCount: return reason(Text::badCount, p.text);
    case TableProblemKind::groupTooLarge: return reason(Text::groupTooLarge, p.text);
    case TableProblemKind::tooManyEmpty: return reason(Text::tooManyEmpty, p.text);
    }
    return {};
}

std::string problemText(const TableProblem& problem, Language language) {
    if (problem.kind == TableProblemKind::none) return {};
    const std::string place =
        problem.field > 0
            ? formatText(text(Text::placeLineField, language), {problem.line, problem.field})
            : formatText(text(Text::placeLine, language), {problem.line});
    return place + problemReason(problem, language);
}
