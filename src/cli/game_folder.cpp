#include "cli/game_folder.h"

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
