#include "tables/save_tables.h"

#include <span>

#include "tables/record_line.h"
#include "text/files.h"
#include "text/format.h"
#include "text/strings.h"

namespace {

template <class Record>
std::string tableText(int32_t headerValue, int32_t count, const TableFile& file,
                      std::span<const Record> records) {
    std::string text;
    for (const std::string& remark : file.remarks) {
        text += remark;
        text += "\r\n";
    }
    text += formatText("%d;%d;", {headerValue, count});
    text += file.headerRest;
    text += "\r\n";
    for (const Record& record : records) appendRecordLine(text, record);
    for (const std::string& line : file.trailingLines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

// Puts `text` in place of the table file `name` (relative to the game folder).
// The backup is made first, from a temporary renamed to ".bak" only when no
// ".bak" exists; the table is then replaced by a flushed temporary in one step.
// So the table is never missing or half written, and a failure leaves it as it was.
bool writeTableFile(const std::string& folder, const std::string& name, std::string_view text) {
    const std::string path = folder + name;
    const std::string backup = folder + changeExtension(name, ".bak");
    const std::string newText = folder + changeExtension(name, ".orvex-new");
    // A read-only table is the user's wish that it stays as it is; a rename over
    // it would not ask (POSIX, and Wine's MoveFileEx), so it is asked here.
    if (isReadOnlyFile(path)) return false;

    if (!fileExists(backup) && fileExists(path)) {
        const std::string oldCopy = folder + changeExtension(name, ".orvex-bak");
        std::string previous;
        if (!readWholeFile(path, previous)) return false;
        if (!writeNewFileDurably(oldCopy, previous)) return false;
        if (!renameWithoutReplacing(oldCopy, backup)) {
            removeFile(oldCopy);
            return false;
        }
    }
    if (!writeNewFileDurably(newText, text)) return false;
    if (!replaceFile(newText, path)) {
        removeFile(newText);
        return false;
    }
    return true;
}

struct Saver {
    const GameState& state;
    std::vector<std::string> failed;

    template <class Record>
    void save(const std::string& name, int32_t headerValue, int32_t count, const TableFile& file,
              std::span<const Record> records) {
        // A table missing at start-up would come back as an empty file that
        // replaces the game's own table; an unreadable one, or one not in this
        // game's format, would lose what the editor could not read.
        if (file.missing || keptFromSaving(file)) return;
        if (!writeTableFile(state.folder, name, tableText(headerValue, count, file, records)))
            failed.push_back(name);
    }
};

} // namespace

std::vector<std::string> saveAllTables(const GameState& state) {
    Saver saver{state, {}};
    saver.save<TBullets>("types\\TBullets.txt", state.bulletsHeader, state.bulletCount,
                         state.bulletsFile, state.bullets);
    saver.save<TCockpits>("types\\TCockpits.txt", state.cockpitsHeader, state.cockpitCount,
                          state.cockpitsFile, state.cockpits);
    saver.save<TShips>("types\\TShips.txt", state.shipsHeader, state.shipCount, state.shipsFile,
                       state.ships);
    saver.save<TStations>("types\\TFactories.txt", state.stationsHeader, state.stationCount,
                          state.stationsFile, state.stations);
    saver.save<TLasers>("types\\TLaser.txt", state.lasersHeader, state.laserCount,
                        state.lasersFile, state.lasers);
    saver.save<TShields>("types\\TShields.txt", state.shieldsHeader, state.shieldCount,
                         state.shieldsFile, state.shields);
    saver.save<TRockets>("types\\TRockets.txt", state.rocketsHeader, state.rocketCount,
                         state.rocketsFile, state.rockets);

    // Ware file g holds the recordCount records after those of the earlier files.
    const std::span<const TWares> wares = state.wares;
    size_t first = 0;
    for (const TWareInfo& info : state.wareGroups) {
        const size_t begin = std::min(first, wares.size());
        const size_t end = std::min(begin + static_cast<size_t>(std::max(0, info.recordCount)),
                                    wares.size());
        saver.save<TWares>(info.fileName, info.headerValue, info.recordCount, info.file,
                           wares.subspan(begin, end - begin));
        first += static_cast<size_t>(std::max(0, info.recordCount));
    }
    // Every table and backup was renamed into place: one flush of the folder
    // makes all of those renames durable.
    flushFolder(state.folder + "types");
    return saver.failed;
}
