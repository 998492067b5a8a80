// Three versions of the name page merged line by line on page 17.

#include "names/name_page_merge.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A page file whose page 17 holds these lines, then these bytes. "5=A" stands
// for the line <t id="5">A</t>, with the blanks before it; a line ends in CR LF,
// or in a lone LF when it ends in '~'.
std::string page(std::initializer_list<std::string_view> lines, std::string_view after = "") {
    std::string out = "<page id=\"16\">\r\n<t id=\"1\">o</t>\r\n</page>\r\n<page id=\"17\">\r\n";
    for (std::string_view line : lines) {
        const bool lf = line.ends_with('~');
        if (lf) line.remove_suffix(1);
        const size_t id = line.find_first_not_of(' '), equals = line.find('=');
        if (equals != std::string_view::npos)
            out.append(line.substr(0, id)).append("<t id=\"").append(line.substr(id, equals - id))
                .append("\">").append(line.substr(equals + 1)).append("</t>");
        else
            out.append(line);
        out += lf ? "\n" : "\r\n";
    }
    return out.append("</page>\r\n").append(after);
}

TEST(MergeNamePages, LinesAddedAndRenamedOnEitherSide) {
    const std::string base = page({"5=A", "<!-- x -->", "6=B"});
    const struct {
        std::string_view why;
        std::string mine, theirs, expected;
        bool wholeFile;
        std::vector<int32_t> conflicts;
    } cases[] = {
        {"only THEIRS changed", base, page({"5=Z"}), page({"5=Z"}), false, {}},
        {"only MINE changed", page({"5=Z"}), base, page({"5=Z"}), false, {}},
        {"added by both: each kept, THEIRS' after MINE's, with MINE's line end",
         page({"5=A", "<!-- x -->", "6=B", "7=M"}), page({"5=A", "<!-- x -->", "6=B", "  8=T~"}),
         page({"5=A", "<!-- x -->", "6=B", "7=M", "  8=T"}), false, {}},
        {"one line added by both, blanks apart: one copy", page({"5=A", "<!-- x -->", "6=B", "7=M", "9=N"}),
         page({"5=A", "<!-- x -->", "6=B", " 7=M"}), page({"5=A", "<!-- x -->", "6=B", "7=M", "9=N"}), false, {}},
        {"one id added by both with other names: MINE's kept", page({"5=A", "<!-- x -->", "6=B", "7=M"}),
         page({"5=A", "<!-- x -->", "6=B", "7=T"}), page({"5=A", "<!-- x -->", "6=B", "7=M"}), false, {7}},
        {"THEIRS renamed and removed, MINE added", page({"5=A", "<!-- x -->", "6=B", "7=M"}),
         page({"5=Z", "<!-- x -->"}), page({"5=Z", "<!-- x -->", "7=M"}), false, {}},
        {"renamed by both otherwise; removed by MINE, renamed by THEIRS", page({"5=Y", "<!-- x -->"}),
         page({"5=Z", "<!-- x -->", "6=C"}), page({"5=Y", "<!-- x -->"}), false, {5, 6}},
        {"the other pages changed by THEIRS, page 17 by MINE", page({"5=A", "<!-- x -->", "6=B", "7=M"}),
         page({"5=A", "<!-- x -->", "6=B"}, "<t/>"), page({"5=A", "<!-- x -->", "6=B", "7=M"}, "<t/>"), false, {}},
        {"the other pages changed by both", page({"5=A", "<!-- x -->", "6=B"}, "<m/>"),
         page({"5=A", "<!-- x -->", "6=B"}, "<t/>"), page({"5=A", "<!-- x -->", "6=B"}, "<m/>"), true, {}},
        {"a line without an id changed by THEIRS, page 17 by MINE", page({"5=A", "<!-- x -->", "6=B", "7=M"}),
         page({"5=A", "<!-- y -->", "6=B"}), page({"5=A", "<!-- x -->", "6=B", "7=M"}), true, {}},
        {"THEIRS without page 17", page({"5=M"}), "<page id=\"16\">\r\n</page>\r\n", page({"5=M"}), true, {}},
    };
    for (const auto& c : cases) {
        const NamePageMerge merged = mergeNamePages(base, c.mine, c.theirs);
        EXPECT_EQ(merged.bytes, c.expected) << c.why;
        EXPECT_EQ(merged.wholeFile, c.wholeFile) << c.why;
        std::vector<int32_t> ids;
        for (const NameConflict& conflict : merged.conflicts) ids.push_back(conflict.textId);
        EXPECT_EQ(ids, c.conflicts) << c.why;
    }
    // A conflict names the two sides' names as lists show them.
    const NamePageMerge merged =
        mergeNamePages(base, page({"5=Y", "<!-- x -->"}), page({"5=Z &amp; Z", "<!-- x -->", "6=B"}));
    ASSERT_EQ(merged.conflicts.size(), 1u);
    EXPECT_EQ(merged.conflicts[0].mine, "Y");
    EXPECT_EQ(merged.conflicts[0].theirs, "Z & Z");
}

} // namespace
