#include "cli/csv.h"

namespace {

bool needsQuotes(std::string_view cell) {
    if (cell.find_first_of(",;\"\r\n") != std::string_view::npos) return true;
    return !cell.empty() && (cell.front() == ' ' || cell.back() == ' ' || cell.front() == '\t' ||
                             cell.back() == '\t');
}

// The separator: the more frequent of ',' and ';' in the first row outside quotes.
char findSeparator(std::string_view text) {
    int commas = 0, semicolons = 0;
    bool quoted = false;
    for (char c : text) {
        if (c == '"') quoted = !quoted;
        else if (!quoted && (c == '\r' || c == '\n')) break;
        else if (!quoted && c == ',') ++commas;
        else if (!quoted && c == ';') ++semicolons;
    }
    return semicolons > commas ? ';' : ',';
}

} // namespace

void appendCsvRow(std::string& out, std::span<const std::string> cells) {
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) out += ',';
        const std::string& cell = cells[i];
        if (!needsQuotes(cell)) {
            out += cell;
            continue;
        }
        out += '"';
        for (char c : cell) {
            if (c == '"') out += '"';
            out += c;
        }
        out += '"';
    }
    out += "\r\n";
}

bool parseCsv(std::string_view text, std::vector<CsvRow>& rows, int& badRow) {
    rows.clear();
    return forEachCsvRow(text, badRow, [&](CsvRow& row) { rows.push_back(std::move(row)); });
}

bool forEachCsvRow(std::string_view text, int& badRow, const std::function<void(CsvRow&)>& take) {
    if (text.starts_with(kUtf8Bom)) text.remove_prefix(kUtf8Bom.size());
    const char separator = findSeparator(text);
    CsvRow row{1, {std::string()}};
    int rowNumber = 1;
    const auto endRow = [&] {
        if (row.cells.size() > 1 || !row.cells[0].empty()) take(row);
        row = CsvRow{++rowNumber, {std::string()}};
    };
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        std::string& cell = row.cells.back();
        if (c == '"' && cell.empty()) {
            // A quoted cell runs to the quote not followed by another quote.
            ++i;
            for (;;) {
                if (i >= text.size()) {
                    badRow = row.row;
                    return false;
                }
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        cell += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                cell += text[i++];
            }
            if (i < text.size() && text[i] != separator && text[i] != '\r' && text[i] != '\n') {
                badRow = row.row;
                return false;
            }
        } else if (c == separator) {
            row.cells.emplace_back();
            ++i;
        } else if (c == '\r' || c == '\n') {
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            endRow();
        } else {
            cell += c;
            ++i;
        }
    }
    endRow();
    return true;
}
