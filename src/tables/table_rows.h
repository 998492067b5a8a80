#pragma once
// A record as a row of cells, for tools that hand tables to spreadsheets and
// back: the columns of each record kind by their names in the code, each cell
// the writer's text of its column, and a record read back from cells by the
// loader's own rules.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tables/fields.h"
#include "tables/records.h"
#include "tables/table_file.h"
#include "text/language.h"

enum class ColumnKind { integer, real, text, groups };

struct Column {
    std::string_view name;
    ColumnKind kind;
};

// The columns of a record kind in line order, ending with objectId, as the
// column lists of columns.h name them (the reader and writer use the same). A ship's
// items, turret count and turrets (with their gun groups) are one column
// "groups" between itemCount and tail1.
template <class Record> std::span<const Column> recordColumns();
template <> std::span<const Column> recordColumns<TShips>();
template <> std::span<const Column> recordColumns<TLasers>();
template <> std::span<const Column> recordColumns<TBullets>();
template <> std::span<const Column> recordColumns<TShields>();
template <> std::span<const Column> recordColumns<TRockets>();
template <> std::span<const Column> recordColumns<TCockpits>();
template <> std::span<const Column> recordColumns<TStations>();
template <> std::span<const Column> recordColumns<TWares>();

// The index of the column called `name` (exact spelling), or -1.
int columnIndex(std::span<const Column> columns, std::string_view name);

// One cell per column, each the text the table writer writes for it; a ship's
// groups cell holds the writer's fields of its groups, each ended by ";"
// ("4;5;6;7;1;0;2;0;0;"). The record's rest is not a cell.
std::vector<std::string> recordCells(const TShips& record);
std::vector<std::string> recordCells(const TLasers& record);
std::vector<std::string> recordCells(const TBullets& record);
std::vector<std::string> recordCells(const TShields& record);
std::vector<std::string> recordCells(const TRockets& record);
std::vector<std::string> recordCells(const TCockpits& record);
std::vector<std::string> recordCells(const TStations& record);
std::vector<std::string> recordCells(const TWares& record);

struct CellProblem {
    int column = 0;     // index into the record kind's columns; -1 for rest
    std::string reason; // Windows-1251
};

// Reads `record` (taken as freshly made) from one cell per column and the text
// kept after the line's last field, as the loader reads the line they make. Every
// cell must pass the loader's format rule for its column, a real cell also in its
// decimal-comma form (realWithPoint), and no numeric cell or field may be empty
// (the writer never writes one); objectId holds no ";"; a ship's groups cell is a
// list of integer fields each ended by ";", exactly as many as itemCount and the
// counts in the cell announce. Then the line the writer writes for the record must
// read back, as a table file's line, as the same record (readBackProblem): a real
// with more digits than the writer keeps, or a byte that ends lines in a text, is
// refused in its own column; any other text (tabs included) is taken. Returns
// every problem found (the record is then unspecified); empty when the record was
// read. The reasons are in `language`.
std::vector<CellProblem> recordFromCells(std::span<const std::string> cells, std::string_view rest,
                                         TShips& record, Language language);
std::vector<CellProblem> recordFromCells(std::span<const std::string> cells, std::string_view rest,
                                         TLasers& record, Language language);
std::vector<CellProblem> recordFromCells(std::span<const std::string> cells, std::string_view rest,
                                         TBullets& record, Language language);
std::vector<CellProblem> recordFromCells(std::span<const std::string> cells, std::string_view rest,
                                         TShields& record, Language language);
std::vector<CellProblem> recordFromCells(std::span<const std::string> cells, std::string_view rest,
                                         TRockets& record, Language language);
std::vector<CellProblem> recordFromCells(std::span<const std::string> cells, std::string_view rest,
                                         TCockpits& record, Language language);
std::vector<CellProblem> recordFromCells(std::span<const std::string> cells, std::string_view rest,
                                         TStations& record, Language language);
std::vector<CellProblem> recordFromCells(std::span<const std::string> cells, std::string_view rest,
                                         TWares& record, Language language);

// Where the file saveTableFile would write for `records` (with `headerValue` and
// what `file` kept) does not load back, in format, as exactly these records: the
// first record that fails (index from 0), its column (-1 for rest) and the reason
// in `language`. Record -1 when every record comes back.
struct ReadBackProblem {
    int record = -1;
    int column = -1;
    std::string reason; // Windows-1251
};
ReadBackProblem readBackProblem(int32_t headerValue, const TableFile& file,
                                std::span<const TShips> records, Language language);
ReadBackProblem readBackProblem(int32_t headerValue, const TableFile& file,
                                std::span<const TLasers> records, Language language);
ReadBackProblem readBackProblem(int32_t headerValue, const TableFile& file,
                                std::span<const TBullets> records, Language language);
ReadBackProblem readBackProblem(int32_t headerValue, const TableFile& file,
                                std::span<const TShields> records, Language language);
ReadBackProblem readBackProblem(int32_t headerValue, const TableFile& file,
                                std::span<const TRockets> records, Language language);
ReadBackProblem readBackProblem(int32_t headerValue, const TableFile& file,
                                std::span<const TCockpits> records, Language language);
ReadBackProblem readBackProblem(int32_t headerValue, const TableFile& file,
                                std::span<const TStations> records, Language language);
ReadBackProblem readBackProblem(int32_t headerValue, const TableFile& file,
                                std::span<const TWares> records, Language language);
