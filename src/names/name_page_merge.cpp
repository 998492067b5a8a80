#include "names/name_page_merge.h"

#include <cstddef>
#include <optional>
#include <unordered_map>

#include "names/name_page.h"
#include "names/page_lines.h"
#include "names/utf8_to_cp1251.h"
#include "text/strings.h"

namespace {

// One side: page 17's lines apart from the bytes around them.
struct Side {
    std::string_view before, body,
        after;                   // body: the lines between the opening and the closing line
    std::vector<PageLine> lines; // the body's lines
    std::unordered_map<int32_t, std::size_t> keyed; // first key of a line -> the first line with it
    std::vector<std::string> plain;                 // the other lines, trimmed, in order
    std::string_view lineEnd;                       // the break of the line above the closing line
};

std::optional<Side> readSide(std::string_view bytes) {
    const std::vector<PageLine> all = splitPageLines(bytes);
    const Page17 page = findPage17(all);
    if (page.opening >= all.size() || !page17InFormat(bytes, all, page)) return std::nullopt;
    Side s;
    const std::size_t bodyStart =
        static_cast<std::size_t>(all[page.opening + 1].text.data() - bytes.data());
    const std::size_t closing =
        static_cast<std::size_t>(all[page.closing].text.data() - bytes.data());
    s.before = bytes.substr(0, bodyStart);
    s.body = bytes.substr(bodyStart, closing - bodyStart);
    s.after = bytes.substr(closing);
    s.lines.assign(all.begin() + static_cast<std::ptrdiff_t>(page.opening + 1),
                   all.begin() + static_cast<std::ptrdiff_t>(page.closing));
    s.lineEnd = all[page.closing - 1].lineEnd;
    for (std::size_t i = 0; i < s.lines.size(); ++i) {
        std::size_t at = 0;
        int32_t id = 0;
        if (!nextKeyId(s.lines[i].text, at, id) || !s.keyed.try_emplace(id, i).second)
            s.plain.push_back(trimBlanks(s.lines[i].text));
    }
    return s;
}

// The trimmed line of the id on a side; none when the side has no line for it.
std::optional<std::string> lineOf(const Side& s, int32_t id) {
    const auto found = s.keyed.find(id);
    if (found == s.keyed.end()) return std::nullopt;
    return trimBlanks(s.lines[found->second].text);
}

std::string listed(const std::optional<std::string>& line) {
    return line ? nameOfLine(utf8ToCp1251(*line)) : std::string();
}

// Page 17's lines when both sides changed them: MINE's lines with THEIRS'
// changes of lines MINE left, and THEIRS' added lines after them.
std::string mergeBodies(const Side& b, const Side& m, const Side& t,
                        std::vector<NameConflict>& conflicts) {
    struct Line {
        std::string text;
        std::string_view lineEnd;
        bool removed = false;
    };
    std::vector<Line> lines;
    for (const PageLine& l : m.lines)
        lines.push_back({std::string(l.text), l.lineEnd});
    const auto conflict = [&](int32_t id, const auto& mine, const auto& theirs) {
        conflicts.push_back({id, listed(mine), listed(theirs)});
    };
    for (const PageLine& l : b.lines) {
        std::size_t at = 0;
        int32_t id = 0;
        if (!nextKeyId(l.text, at, id) ||
            b.keyed.at(id) != static_cast<std::size_t>(&l - b.lines.data()))
            continue; // a plain line
        const auto base = lineOf(b, id), mine = lineOf(m, id), theirs = lineOf(t, id);
        if (theirs == base || theirs == mine) continue;
        if (mine != base)
            conflict(id, mine, theirs);
        else if (!theirs)
            lines[m.keyed.at(id)].removed = true;
        else
            lines[m.keyed.at(id)].text = t.lines[t.keyed.at(id)].text;
    }
    for (const PageLine& l : t.lines) {
        std::size_t at = 0;
        int32_t id = 0;
        if (!nextKeyId(l.text, at, id) ||
            t.keyed.at(id) != static_cast<std::size_t>(&l - t.lines.data()) || b.keyed.contains(id))
            continue;
        const auto mine = lineOf(m, id), theirs = lineOf(t, id);
        if (!mine)
            lines.push_back({std::string(l.text), m.lineEnd});
        else if (mine != theirs)
            conflict(id, mine, theirs);
    }
    std::string body;
    for (const Line& l : lines)
        if (!l.removed) body.append(l.text).append(l.lineEnd);
    return body;
}

} // namespace

NamePageMerge mergeNamePages(std::string_view base, std::string_view mine,
                             std::string_view theirs) {
    if (mine == theirs || theirs == base) return {std::string(mine), false, {}};
    if (mine == base) return {std::string(theirs), false, {}};
    const NamePageMerge whole{std::string(mine), true, {}};
    const std::optional<Side> b = readSide(base), m = readSide(mine), t = readSide(theirs);
    if (!b || !m || !t) return whole;

    const auto outside = [](const Side& s) { return std::string(s.before).append(s.after); };
    const std::string outB = outside(*b), outM = outside(*m), outT = outside(*t);
    if (outM != outB && outT != outB && outT != outM) return whole;
    const Side& around = outM == outB ? *t : *m;

    NamePageMerge merged;
    std::string body;
    if (m->body == b->body)
        body = t->body;
    else if (t->body == b->body || t->body == m->body)
        body = m->body;
    else if (t->plain != b->plain && t->plain != m->plain)
        return whole;
    else
        body = mergeBodies(*b, *m, *t, merged.conflicts);
    merged.bytes = std::string(around.before).append(body).append(around.after);
    return merged;
}
