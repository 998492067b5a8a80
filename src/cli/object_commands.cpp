// orvex-cli add and rename: a new object as a copy of another, and a new name,
// made by the same functions as the window's and written as one: the tables
// and the name page, each with its ".bak" the first time, or nothing.

#include <nlohmann/json.hpp>

#include <optional>

#include "cli/commands.h"
#include "cli/game_folder.h"
#include "cli/utf8_text.h"
#include "names/display_names.h"
#include "objects/new_objects.h"
#include "text/files.h"

namespace {

// The game folder with its name page's bytes and its name there ("t\70001.xml").
struct EditedGame {
    LoadedGame game;
    std::string pageName;
    std::string page;
};

// Loads the folder; false, with the message on err, when it is no game folder
// or its name page cannot be read. A folder without a name page leaves `page`
// empty, which the edit refuses.
bool loadEdited(const std::string& folder, EditedGame& g, CliOutput& io) {
    if (!loadGame(folder, g.game, io, false)) return false;
    const std::string path = findNamePage(folder);
    if (path.empty()) return true;
    g.pageName = path.substr(folder.size());
    if (!readWholeFile(path, g.page)) {
        sayError(io, say(io, Text::cliReadFailed, {platformPath(path)}));
        return false;
    }
    return true;
}

int refuse(const ObjectEdit& edit, TableId table, CliOutput& io) {
    sayError(io, cp1251ToUtf8(objectFaultText(edit, table, io.language)));
    io.err += say(io, Text::cliNothingWritten) + "\n";
    return kExitUsage;
}

// The object named on the command line (UTF-8), else the refusal to say.
std::optional<size_t> objectOf(const EditedGame& g, TableId table, const std::string& objectId, ObjectEdit& refusal) {
    std::string id;
    std::optional<size_t> index;
    if (hasNames(table) && utf8ToCp1251Strict(objectId, id)) index = findObject(g.game.state, table, id);
    if (!index) {
        refusal.fault = hasNames(table) ? ObjectFault::unknownObject : ObjectFault::noNames;
        refusal.faultTable = table;
        refusal.objectId = id.empty() ? objectId : id;
    }
    return index;
}

// Writes what the edit changed and says what was done.
int finish(EditedGame& g, const TableName& table, const ObjectEdit& edit, const ObjectOptions& o, Text done,
           CliOutput& io) {
    warnIfOpenInEditor(g.game.state.folder, io);
    const std::vector<FileBytes> files = editedFiles(g.game.state, table.id, edit, g.pageName, g.page);
    if (!sayWritten(g.game.state.folder, writeFilesTogether(g.game.state.folder, files), io)) return kExitUsage;
    const std::string objectId = cp1251ToUtf8(edit.objectId);
    if (o.format == "json") {
        nlohmann::json doc = {{"table", table.key}, {"index", edit.index}, {"objectId", objectId},
                              {"textId", edit.textId}};
        if (edit.bullet)
            doc["bullet"] = {{"index", *edit.bullet},
                             {"objectId", cp1251ToUtf8(g.game.state.bullets.records[*edit.bullet].objectId)}};
        io.out += doc.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
        return kExitOk;
    }
    io.out += say(io, done, {std::string(table.fileName), o.name, objectId, static_cast<int64_t>(edit.index),
                             edit.textId}) + "\n";
    if (edit.bullet)
        io.out += say(io, Text::cliBulletAdded,
                      {std::string(tableName(TableId::bullets).fileName),
                       cp1251ToUtf8(g.game.state.bullets.records[*edit.bullet].objectId),
                       static_cast<int64_t>(*edit.bullet)}) + "\n";
    return kExitOk;
}

} // namespace

int runAdd(const std::string& folder, const ObjectOptions& o, CliOutput& io) {
    const TableName* table = tableOrSay(o.table, io);
    EditedGame g;
    if (table == nullptr || !loadEdited(folder, g, io)) return kExitUsage;
    ObjectEdit edit;
    const std::optional<size_t> source = objectOf(g, table->id, o.object, edit);
    if (!source) return refuse(edit, table->id, io);
    std::string newId;
    if (!utf8ToCp1251Strict(o.id, newId)) {
        edit.fault = ObjectFault::idNotCp1251;
        return refuse(edit, table->id, io);
    }
    edit = addObject(g.game.state, g.page, table->id, *source, newId, o.name);
    if (!edit.ok()) return refuse(edit, table->id, io);
    return finish(g, *table, edit, o, Text::cliObjectAdded, io);
}

int runRename(const std::string& folder, const ObjectOptions& o, CliOutput& io) {
    const TableName* table = tableOrSay(o.table, io);
    EditedGame g;
    if (table == nullptr || !loadEdited(folder, g, io)) return kExitUsage;
    ObjectEdit edit;
    const std::optional<size_t> index = objectOf(g, table->id, o.object, edit);
    if (!index) return refuse(edit, table->id, io);
    edit = renameObject(g.game.state, g.page, table->id, *index, o.name);
    if (!edit.ok()) return refuse(edit, table->id, io);
    return finish(g, *table, edit, o, Text::cliObjectRenamed, io);
}
