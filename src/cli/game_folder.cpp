#include "cli/game_folder.h"

#include "names/display_names.h"
#include "tables/load_tables.h"
#include "text/files.h"

bool loadGame(const std::string& folder, LoadedGame& game, CliOutput& io) {
    if (!folderExists(folder + "types")) {
        std::string shown = folder.empty() ? std::string(".") : folder;
        if (shown.size() > 1 && shown.back() == '\\') shown.pop_back();
        sayError(io, "в папке «" + shown + "» нет папки types: это не папка игры");
        return false;
    }
    game.state.folder = folder;
    loadAllTables(game.state);
    game.pagePath = findNamePage(folder);
    if (!game.pagePath.empty()) {
        game.page = std::make_unique<NamePage>();
        loadNamePage(*game.page, game.pagePath);
    }
    return true;
}

void sayError(CliOutput& io, const std::string& message) {
    io.err += "orvex-cli: " + message + "\n";
}
