// Names written to the page: one line more or one line's text changed, every
// other byte as it was, and nothing at all changed by a refusal.

#include "names/name_edit.h"
#include "names/name_page.h"
#include "text/cp1251.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::literals;

// '|' stands for the case's line end, '^' for where the new line goes (nothing
// before it is added); other breaks stay as written.
std::string ends(std::string_view text, std::string_view end, std::string_view added = "") {
    std::string out;
    for (char c : text)
        c == '|' ? out += end : c == '^' ? out += ends(added, end) : out += c;
    return out;
}

// The name read back from the new bytes is the name written, as lists show it.
void expectListed(const std::string& page, int32_t id, std::string_view name) {
    NamePage view;
    readNamePage(view, page);
    EXPECT_EQ(lookupName(view, id), cp1251::fromUtf8(name)) << "id " << id;
}

// The new line goes right before page 17's closing line, indented as its last
// line with a key (else as the line above), ending as the line above ends; the
// id is one above page 17's largest key (at least 1) and above every id the
// tables use. Other pages' ids do not count.
TEST(AddName, OneLineMoreAndEveryOtherByteAsItWas) {
    const struct {
        std::string_view page, name;
        std::vector<int32_t> used;
        std::string_view line;
        int32_t id;
    } cases[] = {
        {"\xEF\xBB\xBF<?xml?>|<page id=\"18\">|<t id=\"40\">C</t>|</page>|  <page id=\"17\">|"
         "    <t id=\"5\">A</t>|    <t id=\"9\">B</t>|^  </page>|<page id=\"18\">|</page>|</language>",
         "Kestrel", {}, "    <t id=\"10\">Kestrel</t>|", 10},
        {"<PAGE ID=\"17\">|\t\t<t id=\"3\">A</t>|\t<!-- note -->|^</Page>", "Сокол 🚀", {4, 3, 6, 5, 5},
         "\t\t<t id=\"7\">Сокол 🚀</t>|", 7},
        {" <page id=\"17\">|^</page>|", "A & <B> \"C\" 'd'", {},
         " <t id=\"1\">A &amp; &lt;B&gt; &quot;C&quot; 'd'</t>|", 1},
        {"<page id=\"17\">|<t id=\"-4\">A</t>|<t pid=\"2\" n=\"id=&quot;\">B</t>\r^</page>|", "x", {},
         "<t id=\"3\">x</t>\r", 3},
        {"<page id=\"17\">|<t id=\"2147483646\">A</t>|^</page>|", "x", {-1, 2147483645},
         "<t id=\"2147483647\">x</t>|", INT32_MAX},
    };
    for (std::string_view end : {"\r\n", "\n"}) {
        for (const auto& c : cases) {
            std::string page = ends(c.page, end);
            const NameEdit edit = addName(page, c.name, c.used);
            EXPECT_EQ(edit.fault, NameFault::none) << c.page;
            EXPECT_EQ(edit.textId, c.id) << c.page;
            EXPECT_EQ(page, ends(c.page, end, c.line));
            expectListed(page, c.id, c.name);
        }
    }
}

// Renaming changes the text of the first line of page 17 holding the id before
// its `">`, from there to the line's last four characters; an id shared with
// another object, or without such a line on page 17, gets a new line and id.
TEST(RenameName, OnlyThatLinesTextOrANewLine) {
    const std::string_view page = "<page id=\"16\">|<t id=\"8\">x</t>|</page>|<page id=\"17\">|"
                                  "<t id=\"5\"> Old </t>|<t n=\"1\">id=\"6\"</t>|<t id=\"6\">Six</t>|"
                                  "<t id=\"7\"></t>|<t id=\"4\">|^</page>|";
    const struct {
        int32_t id;
        bool shared;
        std::vector<int32_t> used;
        std::string_view from, to; // the change, "^" for a new line
        int32_t newId;
    } cases[] = {
        {5, false, {}, "> Old <", ">N&amp;ew<", 5},
        {7, false, {}, "\"7\"><", "\"7\">N&amp;ew<", 7},
        {6, false, {}, "^", "<t id=\"8\">N&amp;ew</t>|", 8}, // the first line holds 6 in its name
        {5, true, {8}, "^", "<t id=\"9\">N&amp;ew</t>|", 9},
        {8, false, {}, "^", "<t id=\"8\">N&amp;ew</t>|", 8}, // on another page only
        {4, false, {}, "^", "<t id=\"8\">N&amp;ew</t>|", 8}, // a line without a name part
    };
    for (std::string_view end : {"\r\n", "\n"}) {
        for (const auto& c : cases) {
            std::string bytes = ends(page, end);
            const NameEdit edit = renameName(bytes, c.id, c.shared, "N&ew", c.used);
            EXPECT_EQ(edit.fault, NameFault::none);
            EXPECT_EQ(edit.textId, c.newId) << "id " << c.id;
            std::string expected(page);
            expected.replace(expected.find(c.from), c.from.size(), c.to);
            EXPECT_EQ(bytes, ends(expected, end)) << "id " << c.id;
            expectListed(bytes, c.newId, "N&ew");
        }
    }
}

// A page that cannot take a name, or a name it cannot hold, changes nothing.
TEST(NameRefusals, ChangeNothing) {
    const std::string_view good = "<page id=\"17\">\r\n<t id=\"5\">A</t>\r\n</page>\r\n";
    const struct {
        std::string_view page, name;
        NameFault fault;
    } cases[] = {
        {"", "x", NameFault::noPage17},
        {"<page id=\"16\">\r\n<t id=\"5\">A</t>\r\n</page>\r\n", "x", NameFault::noPage17},
        {"<page id=\"17\">\r\n<t id=\"5\">A</t>\r\n", "x", NameFault::notInFormat},
        {"<page id=\"17\"><t id=\"5\">A</t></page>\r\n<page id=\"18\">\r\n</page>\r\n", "x",
         NameFault::notInFormat},
        {"<page id=\"17\">\r\n<t id=\"5\">A</t>\r\n<page id=\"18\">\r\n</page>\r\n", "x",
         NameFault::notInFormat},
        {"<page id=\"17\">\r\n<t id=\"5\">\0</t>\r\n</page>\r\n"sv, "x", NameFault::notInFormat},
        {good, "", NameFault::emptyName},
        {good, "  ", NameFault::emptyName},
        {good, "a\tb", NameFault::badName},
        {good, "a\nb", NameFault::badName},
        {good, "a\x7F", NameFault::badName},
        {good, "\xD0", NameFault::badName},
        {"<page id=\"17\">\r\n<t id=\"2147483647\">A</t>\r\n</page>\r\n", "x", NameFault::noFreeId},
    };
    for (const auto& c : cases) {
        for (const bool rename : {false, true}) {
            std::string page(c.page);
            const std::vector<int32_t> used = {5};
            const NameEdit edit =
                rename ? renameName(page, 5, false, c.name, used) : addName(page, c.name, used);
            EXPECT_EQ(edit.fault, c.fault) << c.page << " / " << c.name;
            EXPECT_EQ(page, c.page) << "a refusal changed the page";
        }
    }
    std::string page(good);
    const std::vector<int32_t> toTheLast = {2147483646, 6, 2147483647};
    EXPECT_EQ(addName(page, "x", toTheLast).textId, 7) << "the ids from 7 on are free";
}

} // namespace
