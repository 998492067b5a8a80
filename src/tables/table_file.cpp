#include "tables/table_file.h"

#include "text/cp1251.h"
#include "text/format.h"

namespace {

// The file's own text as the user sees it quoted: control characters as '?',
// at most 40 characters, a longer text cut with "…".
std::string quoted(std::string_view text) {
    constexpr size_t kLongest = 40;
    std::string shown(text.substr(0, kLongest));
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20) c = '?';
    if (text.size() > kLongest) shown += u8"…"_cp1251;
    return std::string(u8"«"_cp1251) + shown + std::string(u8"»"_cp1251);
}

} // namespace

std::string problemReason(const TableProblem& p) {
    switch (p.kind) {
    case TableProblemKind::none: return {};
    case TableProblemKind::noHeader: return std::string(u8"нет заголовка"_cp1251);
    case TableProblemKind::notNumber: return quoted(p.text) + std::string(u8" — не число"_cp1251);
    case TableProblemKind::notInteger: return quoted(p.text) + std::string(u8" — не целое число"_cp1251);
    case TableProblemKind::outOfRange:
        return quoted(p.text) + std::string(u8" — число вне допустимых пределов"_cp1251);
    case TableProblemKind::textAfterLastField:
        return std::string(u8"текст после последнего поля "_cp1251) + quoted(p.text);
    case TableProblemKind::badCount: return std::string(u8"число записей "_cp1251) + p.text;
    case TableProblemKind::groupTooLarge: return std::string(u8"число элементов группы "_cp1251) + p.text;
    case TableProblemKind::tooManyEmpty:
        return std::string(u8"слишком много элементов без данных ("_cp1251) + p.text + ")";
    }
    return {};
}

std::string problemText(const TableProblem& problem) {
    if (problem.kind == TableProblemKind::none) return {};
    const std::string place = problem.field > 0
                            ? formatText(u8"строка %d, поле %d: "_cp1251, {problem.line, problem.field})
                            : formatText(u8"строка %d: "_cp1251, {problem.line});
    return place + problemReason(problem);
}
