#include "cli/game_folder.h"

#include "cli/change_report.h"
#include "names/display_names.h"
#include "tables/load_tables.h"
#include "text/files.h"

bool isGameFolder(const std::string& folder, CliOutput& io) {
    if (!folderExists(folder + "types")) {
        std::string shown = folder.empty() ? std::string(".") : folder;
        if (shown.size() > 1 && shown.back() == '\\') shown.pop_back();
        sayError(io, say(io, Text::cliNotGameFolder, {shown}));
        return false;
    }
    return true;
}

void loadNames(const std::string& folder, LoadedGame& game) {
    game.pagePath = findNamePage(folder);
    if (!game.pagePath.empty()) {
        game.page = std::make_shared<NamePage>();
        loadNamePage(*game.page, game.pagePath);
    }
}

bool loadGame(const std::string& folder, LoadedGame& game, CliOutput& io, bool withNames) {
    if (!isGameFolder(folder, io)) return false;
    game.state.folder = folder;
    loadAllTables(game.state);
    if (withNames) loadNames(folder, game);
    return true;
}

bool loadGame(const std::string& folder, LoadedGame& game, CliOutput& io, TableId table,
              bool withNames) {
    if (!isGameFolder(folder, io)) return false;
    GameState& s = game.state;
    s.folder = folder;
    loadTable(s, table);
    if (withNames) loadNames(folder, game);
    return true;
}

void sayError(CliOutput& io, const std::string& message) {
    io.err += "orvex-cli: " + message + "\n";
}

const TableName* tableOrSay(const std::string& table, CliOutput& io) {
    const TableName* name = findTable(table);
    if (name == nullptr) {
        std::string keys;
        for (const TableName& t : kTableNames) keys += (keys.empty() ? "" : ", ") + std::string(t.key);
        sayError(io, say(io, Text::cliNoTable, {table, keys}));
    }
    return name;
}

std::string faultWord(const CliOutput& io, FileFault fault) {
    switch (fault) {
    case FileFault::ReadOnly: return word(io, Text::faultReadOnly);
    case FileFault::AccessDenied: return word(io, Text::faultAccessDenied);
    case FileFault::DiskFull: return word(io, Text::faultDiskFull);
    case FileFault::InUse: return word(io, Text::faultInUse);
    case FileFault::NoFolder: return word(io, Text::faultNoFolder);
    case FileFault::None:
    case FileFault::Other: break;
    }
    return word(io, Text::faultOther);
}

bool sayWritten(const std::string& folder, const TogetherReport& report, CliOutput& io) {
    if (!report.failure) return true;
    const std::string path = platformPath(report.failure->path);
    const std::string fault = faultWord(io, report.failure->fault);
    if (report.written.empty()) {
        sayError(io, say(io, Text::cliMergeWriteFault, {path, fault}));
        return false;
    }
    std::string written;
    for (const std::string& name : report.written)
        written += (written.empty() ? "" : ", ") + platformPath(folder + name);
    sayError(io, say(io, Text::cliMergeWrittenOnly, {path, fault, written}));
    return false;
}

void warnIfOpenInEditor(const std::string& folder, CliOutput& io) {
    if (!folderOpenInEditor(folder)) return;
    std::string shown = folder.empty() ? std::string(".") : folder;
    if (shown.size() > 1 && (shown.back() == '\\' || shown.back() == '/')) shown.pop_back();
    sayError(io, say(io, Text::cliFolderOpen, {platformPath(shown)}));
}
