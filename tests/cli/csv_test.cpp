// CSV as spreadsheets write and read it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/csv.h"
#include "cli/utf8_text.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows cellsOf(const std::vector<CsvRow>& rows) {
    Rows out;
    for (const CsvRow& row : rows) out.push_back(row.cells);
    return out;
}

TEST(Csv, ReadsWhatSpreadsheetsSave) {
    const struct {
        const char* text;
        Rows rows;
    } cases[] = {
        {"a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}},
        {"\xEF\xBB\xBF" "a;b\nc;\"1;2;\"\n", {{"a", "b"}, {"c", "1;2;"}}},     // BOM, semicolons, LF
        {"a;b;c,d\r\n", {{"a", "b", "c,d"}}},                                 // more semicolons
        {"\"x\"\"y\",\"line\r\nbreak\",\r\n", {{"x\"y", "line\r\nbreak", ""}}}, // quotes, break, empty
        {"a,b\r\n\r\n\r\nc,d", {{"a", "b"}, {"c", "d"}}},                      // blank lines, no end
        {"a,b\rc,d\r", {{"a", "b"}, {"c", "d"}}},                              // CR alone
    };
    for (const auto& c : cases) {
        std::vector<CsvRow> rows;
        int bad = 0;
        ASSERT_TRUE(parseCsv(c.text, rows, bad)) << c.text;
        EXPECT_EQ(cellsOf(rows), c.rows) << c.text;
    }
    std::vector<CsvRow> rows;
    int bad = 0;
    ASSERT_TRUE(parseCsv("h\r\n\r\nx\r\n", rows, bad));
    EXPECT_EQ(rows[1].row, 3) << "rows are numbered as the file's lines";
    for (const char* broken : {"a\r\nb,\"open\r\n", "a\r\n\"q\"x,b\r\n"}) {
        EXPECT_FALSE(parseCsv(broken, rows, bad)) << broken;
        EXPECT_EQ(bad, 2) << broken;
    }
}

TEST(Csv, WritesCellsThatReadBack) {
    const std::vector<std::string> cells = {"plain", "a,b", "1;2;", "say \"hi\"", " lead", "", "x\r\ny"};
    std::string text;
    appendCsvRow(text, cells);
    EXPECT_EQ(text, "plain,\"a,b\",\"1;2;\",\"say \"\"hi\"\"\",\" lead\",,\"x\r\ny\"\r\n");
    std::vector<CsvRow> rows;
    int bad = 0;
    ASSERT_TRUE(parseCsv(text, rows, bad));
    EXPECT_EQ(rows.at(0).cells, cells);
}

TEST(Csv, TableTextSurvivesUtf8BothWays) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    std::string back;
    ASSERT_TRUE(utf8ToCp1251Strict(cp1251ToUtf8(all), back));
    EXPECT_EQ(back, all);
    EXPECT_EQ(cp1251ToUtf8("\xCA\xEE\xED\xE4\xEE\xF0"), "Кондор");
    for (const char* refused : {"\xE2\x82", "日本", "\xC0\x80", "\xFF"})
        EXPECT_FALSE(utf8ToCp1251Strict(refused, back)) << refused;
}

} // namespace
