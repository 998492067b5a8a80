// Any bytes as a table's CSV for import: the first byte picks the record kind,
// the rest is the CSV text. Whatever import accepts must become a table file that
// loads in format as exactly the imported records (without the read-back check
// that stands behind the cell checks having to step in), and its export must
// import back to the same file bytes.

#include "cli/table_csv.h"
#include "tables/read_table_file.h"
#include "tables/save_tables.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace {

template <class Record> void importAndBack(std::string_view text) {
    std::vector<int> rows;
    std::vector<Record> records;
    std::vector<CsvProblem> problems;
    if (!recordsFromCsv(text, "table", rows, records, problems, Language::en)) return;

    const TableFile file;
    const std::string written = tableFileText(7, file, std::span<const Record>(records));
    LineList lines;
    lines.setText(written);
    std::vector<Record> loaded;
    int32_t headerValue = 0, count = 0;
    TableFile loadedFile;
    loadTableLines(lines, loaded, headerValue, count, loadedFile);
    if (keptFromSaving(loadedFile) || loaded.size() != records.size()) __builtin_trap();
    for (size_t k = 0; k < records.size(); ++k) {
        if (!(loaded[k] == records[k])) __builtin_trap(); // the game would read another record
    }
    if (readBackProblem(7, file, std::span<const Record>(records), Language::en).record >= 0) __builtin_trap();

    const std::string csv = tableCsv(std::span<const Record>(records), [](const Record&) { return std::string(); });
    std::vector<Record> again;
    if (!recordsFromCsv(csv, "table", rows, again, problems, Language::en)) __builtin_trap();
    if (tableFileText(7, file, std::span<const Record>(again)) != written) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 8) {
    case 0: importAndBack<TShips>(text); break;
    case 1: importAndBack<TLasers>(text); break;
    case 2: importAndBack<TBullets>(text); break;
    case 3: importAndBack<TShields>(text); break;
    case 4: importAndBack<TRockets>(text); break;
    case 5: importAndBack<TCockpits>(text); break;
    case 6: importAndBack<TStations>(text); break;
    default: importAndBack<TWares>(text); break;
    }
    return 0;
}
