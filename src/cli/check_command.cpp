// orvex-cli check: the findings of the core's table check, as compiler-style
// lines or as one JSON document, and the exit status scripts rely on.

#include <nlohmann/json.hpp>

#include <map>
#include <string_view>

#include "cli/commands.h"
#include "cli/game_folder.h"
#include "cli/utf8_text.h"
#include "names/display_names.h"
#include "names/name_page.h"
#include "tables/check_tables.h"
#include "tables/table_list.h"

namespace {

bool pageHasName(const void* page, int32_t nameTextId) {
    return !lookupName(*static_cast<const NamePage*>(page), nameTextId).empty();
}

std::string listedOnPage(const void* page, int32_t nameTextId, std::string_view objectId,
                         std::optional<int32_t> race, Language language) {
    return listedName(static_cast<const NamePage*>(page), nameTextId, objectId, race, language);
}

std::string_view severityText(Severity severity) {
    return severity == Severity::error ? "error" : "warning";
}

std::string tableState(const TableFile& file) {
    if (file.missing) return "missing";
    if (file.unreadable) return "unreadable";
    if (file.notInFormat) return "notInFormat";
    return "ok";
}

} // namespace

int runCheck(const std::string& folder, bool json, bool strict, CliOutput& io) {
    LoadedGame game;
    if (!loadGame(folder, game, io)) return kExitUsage;

    std::vector<Finding> findings;
    if (!game.page)
        findings.push_back(
            {"t\\70001.xml", 0, 0, Severity::error, "no-name-page", say(io, Text::cliNoNamePage)});
    const NameCheck names = game.page ? NameCheck{pageHasName, listedOnPage, game.page.get()} : NameCheck{};
    for (Finding& f : checkTables(game.state, names, io.language)) {
        f.message = cp1251ToUtf8(f.message);
        findings.push_back(std::move(f));
    }

    int errors = 0, warnings = 0;
    std::map<std::string_view, std::pair<int, int>> perFile; // errors, warnings
    for (const Finding& f : findings) {
        const bool error = f.severity == Severity::error;
        (error ? errors : warnings) += 1;
        (error ? perFile[f.file].first : perFile[f.file].second) += 1;
    }

    // Per table: its state, records and findings.
    nlohmann::json tables = nlohmann::json::array();
    int missing = 0;
    size_t records = 0;
    for (const TableName& name : kTableNames)
        visitTable(game.state, name.id, [&](const auto& t) {
            const auto [e, w] = perFile[name.fileName];
            missing += t.file.missing ? 1 : 0;
            records += t.records.size();
            tables.push_back({{"table", name.key},
                              {"file", name.fileName},
                              {"state", tableState(t.file)},
                              {"records", t.records.size()},
                              {"errors", e},
                              {"warnings", w}});
        });

    if (json) {
        nlohmann::json list = nlohmann::json::array();
        for (const Finding& f : findings)
            list.push_back({{"file", f.file},
                            {"line", f.line},
                            {"field", f.field},
                            {"severity", severityText(f.severity)},
                            {"code", f.code},
                            {"message", f.message}});
        const nlohmann::json doc = {{"findings", list},
                                    {"tables", tables},
                                    {"errors", errors},
                                    {"warnings", warnings}};
        io.out += doc.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
        io.out += "\n";
    } else {
        for (const Finding& f : findings) {
            io.out += f.file;
            if (f.line > 0) (io.out += ':') += std::to_string(f.line);
            ((io.out += ": ") += severityText(f.severity)) += ": ";
            (((io.out += f.message) += " [") += f.code) += "]\n";
        }
        const int32_t tables = static_cast<int32_t>(kTableCount);
        io.out += say(io, Text::cliSummary, {tables - missing, tables, std::to_string(records), errors, warnings});
        io.out += "\n";
    }
    return errors > 0 || (strict && warnings > 0) ? kExitFailed : kExitOk;
}
