// The guides describe the program as it is: every interface text they quote is
// one the program shows, and every orvex-cli command (cli/command_list.h) has its
// paragraph in both (and its place in orvex-cli.exe's file description).
//
// The guides' convention, which this test reads: «…» in the Russian guide and
// "…" in the English one quote the program's own texts, exactly as shown (a
// text with a number in it, such as a price label, may be quoted with the
// number filled in). Other programs' labels are written in italics, values and
// file contents in backticks or code blocks; a quote without a letter is a
// value ("12 000"), not a text. A command's paragraph starts with its name in
// bold: **check**.

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "cli/command_list.h"
#include "support/cli_run.h"
#include "text/cp1251.h"
#include "text/files.h"
#include "text/texts.h"

namespace {

struct Guide {
    const char* file;
    Language language;
    std::string_view open, close; // the quotation marks (UTF-8)
};

const Guide kGuides[] = {{"guide.ru.md", Language::ru, "«", "»"},
                         {"guide.en.md", Language::en, "\"", "\""}};

std::string readGuide(const Guide& guide) {
    std::string bytes;
    EXPECT_TRUE(readWholeFile(std::string(ORVEX_DOCS) + "/" + guide.file, bytes)) << guide.file;
    return bytes;
}

// The guide's prose: code blocks (indented or fenced) and code spans left out,
// each paragraph on one line so that a quote broken over two lines is whole.
std::string prose(const std::string& markdown) {
    std::string text;
    bool fenced = false;
    size_t at = 0;
    while (at < markdown.size()) {
        size_t end = markdown.find('\n', at);
        if (end == std::string::npos) end = markdown.size();
        std::string line = markdown.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.starts_with("```")) fenced = !fenced;
        if (fenced || line.starts_with("```") || line.starts_with("    ") || line.starts_with("\t"))
            continue;
        text += line.empty() ? "\n" : line + " ";
    }
    std::string out;
    bool inCode = false;
    for (const char c : text) {
        if (c == '`') inCode = !inCode;
        else if (!inCode || c == '\n') out += c;
        if (c == '\n') inCode = false; // a code span never passes a paragraph
    }
    return out;
}

std::vector<std::string> quotes(const Guide& guide, const std::string& text) {
    std::vector<std::string> found;
    size_t at = 0;
    while ((at = text.find(guide.open, at)) != std::string::npos) {
        const size_t start = at + guide.open.size();
        // «…» nest: a quoted text may itself hold a quoted button name.
        size_t end = text.find(guide.close, start);
        if (guide.open != guide.close) {
            for (size_t inner = text.find(guide.open, start); inner < end && end != std::string::npos;
                 inner = text.find(guide.open, inner + guide.open.size()))
                end = text.find(guide.close, end + guide.close.size());
        }
        if (end == std::string::npos || text.find('\n', start) < end) {
            ADD_FAILURE() << guide.file << ": an unclosed quote: " << text.substr(at, 60);
            break;
        }
        found.push_back(text.substr(start, end - start));
        at = end + guide.close.size();
    }
    return found;
}

bool holdsLetter(std::string_view text) {
    for (const unsigned char c : text)
        if ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') return true;
        else if (c >= 0x80) return true; // Cyrillic, in UTF-8
    return false;
}

// The pattern a shown text matches: the table's form with its access-key '&'
// dropped and each placeholder standing for what a guide fills in: a number
// (%d), or any text (%s: a file's name, say).
std::regex shownPattern(std::string_view form) {
    static const std::string kSpecial = "\\^$.|?*+()[]{}";
    std::string pattern;
    for (size_t i = 0; i < form.size(); ++i) {
        const char c = form[i];
        if (c == '%' && i + 1 < form.size() && form[i + 1] == '%') {
            pattern += '%';
            ++i;
        } else if (c == '%') {
            while (i + 1 < form.size() && std::string_view("-0#+ .0123456789hl").find(form[i + 1]) !=
                                              std::string_view::npos)
                ++i;
            ++i; // the conversion letter: a text (a file's name) or a number
            pattern += i < form.size() && form[i] == 's' ? ".+" : "[-+0-9.,]+";
        } else if (c == '&' && i + 1 < form.size() && form[i + 1] != ' ') {
            continue; // "&Save" shows as Save with S underlined
        } else {
            if (kSpecial.find(c) != std::string::npos) pattern += '\\';
            pattern += c;
        }
    }
    return std::regex(pattern);
}

// A form with a letter of its own: a line that is only a placeholder ("%s")
// would match every quote.
bool holdsText(std::string_view form) {
    static const std::regex placeholder("%[-0#+ .0-9hl]*[a-zA-Z%]");
    return holdsLetter(std::regex_replace(std::string(form), placeholder, ""));
}

// Every form of the table in the language, and each line of a form of several lines.
std::vector<std::regex> shownTexts(Language language) {
    std::vector<std::regex> shown;
    for (int key = 0; key < static_cast<int>(Text::count_); ++key) {
        const std::string_view form = text(static_cast<Text>(key), language);
        if (holdsText(form)) shown.push_back(shownPattern(form));
        size_t at = 0;
        while (at < form.size()) {
            size_t end = form.find_first_of("\r\n", at);
            if (end == std::string_view::npos) end = form.size();
            const std::string_view line = form.substr(at, end - at);
            if (end > at && end - at < form.size() && holdsText(line)) shown.push_back(shownPattern(line));
            at = end + 1;
        }
    }
    return shown;
}

TEST(Guides, EveryQuotedTextIsOneTheProgramShows) {
    for (const Guide& guide : kGuides) {
        const std::vector<std::regex> shown = shownTexts(guide.language);
        int checked = 0;
        for (const std::string& quote : quotes(guide, prose(readGuide(guide)))) {
            // The buttons of the platform's Yes/No(/Cancel) and OK boxes are not the program's texts.
            const std::string_view buttons[] = {"Да", "Нет", "Отмена", "OK", "Yes", "No", "Cancel"};
            if (!holdsLetter(quote) || std::ranges::find(buttons, quote) != std::end(buttons)) continue;
            // Either table form is Windows-1251: an English "Duplicate…" too.
            const std::string inTable = cp1251::fromUtf8(quote);
            const bool found = std::ranges::any_of(shown, [&](const std::regex& p) { return std::regex_match(inTable, p); });
            EXPECT_TRUE(found) << guide.file << " quotes \"" << quote << "\", which is no text of the program";
            ++checked;
        }
        EXPECT_GE(checked, 4) << guide.file << ": the guide's quotes were not found";
    }
}

// orvex-cli.exe's file properties name the commands too.
TEST(Guides, EveryCommandIsDescribedInBothAndInTheFileDescription) {
    std::string rc;
    ASSERT_TRUE(readWholeFile(ORVEX_CLI_RC, rc));
    const size_t at = rc.find("#define ORVEX_FILE_DESCRIPTION ");
    EXPECT_TRUE(holds(rc.substr(at, rc.find('\n', at) - at), ": " + commandNames() + "\"")) << rc;
    for (const Guide& guide : kGuides) {
        const std::string text = readGuide(guide);
        for (const CliCommand& command : kCliCommands)
            EXPECT_TRUE(holds(text, "**" + std::string(command.name) + "**"))
                << guide.file << " does not describe orvex-cli " << command.name;
    }
}

} // namespace
