// Generated pages: the indexed lookup must give exactly what the line-by-line scan
// gives, for ids that are present, absent, negative, extreme or only nearly present.

#include "names/name_page.h"
#include "names/utf8_to_cp1251.h"

#include "text/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

class PageGenerator {
public:
    explicit PageGenerator(uint32_t seed) : rng_(seed) {
        const int poolSize = 3 + static_cast<int>(pick(10));
        for (int i = 0; i < poolSize; ++i) ids.push_back(anyId());
    }

    // A whole file: another page, page 17 (usually opened, usually closed), another
    // page. A page 17 left open ends at the next page's closing line.
    std::string file() {
        std::string text;
        addLine(text, "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>");
        addLine(text, "<language id=\"7\">");
        otherPage(text);
        int opening = -1;
        if (pick(25) != 0) {
            opening = static_cast<int>(lines_.size());
            addLine(text, pageOpening());
        }
        const int count = static_cast<int>(pick(40));
        for (int i = 0; i < count; ++i) addLine(text, nameLine());
        if (pick(25) != 0) addClosingLine(text, pick(2) ? "</page>" : "  </PAGE>");
        otherPage(text);
        addLine(text, "</language>");

        // Generated texts never spell a page line, so the written structure decides.
        for (int closing : closings_) {
            if (opening < 0 || closing <= opening) continue;
            page17Lines.assign(lines_.begin() + opening + 1, lines_.begin() + closing);
            break;
        }
        return text;
    }

    std::vector<int32_t> ids;              // the ids the page was built from
    std::vector<std::string> page17Lines;  // what page 17 should keep, before conversion
    bool hasNul = false;

private:
    uint32_t pick(uint32_t n) { return rng_() % n; }

    int32_t anyId() {
        switch (pick(6)) {
        case 0: return static_cast<int32_t>(pick(30));
        case 1: return -static_cast<int32_t>(pick(30)) - 1;
        case 2: return INT32_MAX - static_cast<int32_t>(pick(3));
        case 3: return INT32_MIN + static_cast<int32_t>(pick(3));
        default: return static_cast<int32_t>(rng_());
        }
    }

    // Mostly the decimal form of a pool id; sometimes a form no key ever has.
    std::string idText() {
        const std::string canonical = std::to_string(ids[pick(static_cast<uint32_t>(ids.size()))]);
        switch (pick(14)) {
        case 0: return "0" + canonical;
        case 1: return "-0";
        case 2: return "+" + canonical;
        case 3: return "";
        case 4: return "-";
        case 5: return pick(2) ? "2147483648" : "-2147483649";
        case 6: return "99999999999";
        case 7: return canonical + " ";
        default: return canonical;
        }
    }

    std::string text() {
        static const char* const pieces[] = {
            "a", "Z", " ", "\t", "\"", ">", "\">", "<", "/", "=", "id=\"", "pid=\"",
            "Аргон", "ё", "Ё", "я", "\xD0", "\xD1", "\xD1\x94", "\xC3\xA9", "&amp;", "1", "-"};
        std::string out;
        const int count = static_cast<int>(pick(8));
        for (int i = 0; i < count; ++i) out += pieces[pick(std::size(pieces))];
        if (pick(400) == 0) {
            out.push_back('\0');
            hasNul = true;
        }
        return out;
    }

    std::string nameLine() {
        std::string line;
        switch (pick(10)) {
        case 0: line = ""; break;
        case 1: line = "<t pid=\"" + idText() + "\">" + text() + "</t>"; break;
        case 2: line = "<t id=\"" + idText() + "\">" + text() + " id=\"" + idText() + "\"" + text() + "</t>"; break;
        case 3: line = "<t id=\"" + idText() + "\" x=\"y\" >" + text() + "</t>"; break;
        case 4: line = "id=\"id=\"" + idText() + "\""; break;
        case 5: line = "<t id=\"" + idText() + "\"" + text(); break;
        case 6: line = text() + text(); break;
        default:
            line = std::string(pick(4), ' ') + "<t id=\"" + idText() + "\">" + text() + "</t>";
            break;
        }
        if (pick(6) == 0) line.resize(pick(static_cast<uint32_t>(line.size()) + 1)); // short lines
        return line;
    }

    std::string pageOpening() {
        switch (pick(3)) {
        case 0: return "<page id=\"17\" title=\"Objects\">";
        case 1: return "  <PAGE ID=\"17\">";
        default: return "<Page Id=\"17\" descr=\"x\">";
        }
    }

    void otherPage(std::string& text) {
        addLine(text, "<page id=\"" + std::to_string(pick(2) ? 5 : 18) + "\">");
        const int count = static_cast<int>(pick(5));
        for (int i = 0; i < count; ++i) addLine(text, nameLine());
        addClosingLine(text, "</page>");
    }

    // One kind of line end per file, or CR LF and LF mixed: a lone CR followed by
    // an empty line's LF would read as one CR LF break.
    void addLine(std::string& text, const std::string& line) {
        static const char* const lineEnds[] = {"\r\n", "\n", "\r"};
        text += line;
        text += lineEnds[lineEndKind_ < 3 ? lineEndKind_ : pick(2)];
        lines_.push_back(line);
    }

    void addClosingLine(std::string& text, const std::string& line) {
        closings_.push_back(static_cast<int>(lines_.size()));
        addLine(text, line);
    }

    std::mt19937 rng_;
    uint32_t lineEndKind_ = rng_() % 4;
    std::vector<std::string> lines_; // every line written, in order
    std::vector<int> closings_;      // indexes of the pages' closing lines
};

TEST(NamePageProperty, IndexedLookupEqualsScan) {
    TempFolder folder;
    int pagesWithNames = 0;
    int idsWithNames = 0;
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        PageGenerator generator(seed);
        const std::string file = generator.file();
        NamePage page;
        putFile("70001.xml", file);
        ASSERT_TRUE(loadNamePage(page, "70001.xml"));

        if (!generator.hasNul) {
            // The reduction keeps exactly page 17's lines, each converted.
            ASSERT_EQ(page.nameLines.count(), static_cast<int>(generator.page17Lines.size()));
            for (int i = 0; i < page.nameLines.count(); ++i)
                EXPECT_EQ(page.nameLines.item(i), utf8ToCp1251(generator.page17Lines[i]));
        }
        if (page.nameLines.count() > 0) ++pagesWithNames;

        std::set<int64_t> probes = {0, 1, -1, 5, INT32_MIN, INT32_MAX, INT32_MIN + 1, INT32_MAX - 1};
        for (int32_t id : generator.ids) {
            for (int64_t near : {int64_t{id}, int64_t{id} - 1, int64_t{id} + 1, int64_t{id} * 10,
                                 int64_t{id} / 10, -int64_t{id}})
                if (near >= INT32_MIN && near <= INT32_MAX) probes.insert(near);
        }
        for (int64_t probe : probes) {
            const int32_t id = static_cast<int32_t>(probe);
            const std::string scanned = lookupNameByScan(page, id);
            EXPECT_EQ(lookupName(page, id), scanned) << "id " << id;
            if (page.firstLineOfId.count(id)) ++idsWithNames;
        }
    }
    // The generator must actually produce pages with names, or the comparison proves nothing.
    EXPECT_GT(pagesWithNames, 200);
    EXPECT_GT(idsWithNames, 500);
}

} // namespace
