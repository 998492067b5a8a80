#include "cli/run_cli.h"

#include "cli/command_list.h"
#include "cli/run_program.h"

#include "version.h"

#include "tables/table_list.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <optional>
#include <sstream>

namespace {

constexpr const char* kVersion = "orvex-cli " ORVEX_VERSION;

// The parser's help with its columns lined up by characters, not UTF-8 bytes.
class HelpFormatter : public CLI::Formatter {
public:
    std::string make_option(const CLI::Option* option, bool positional) const override {
        const std::string name = "  " + make_option_name(option, positional) + make_option_opts(option);
        const std::string description = make_option_desc(option);
        const size_t width = get_column_width();
        const size_t shown = static_cast<size_t>(
            std::count_if(name.begin(), name.end(), [](char c) { return (c & 0xC0) != 0x80; }));
        std::string line = name;
        if (!description.empty()) {
            line += shown >= width ? "\n" + std::string(width, ' ') : std::string(width - shown, ' ');
            line += description;
        }
        return line + "\n";
    }
};

// The parser's own words in the language of every message of the program.
void speakLanguage(CLI::App& app, const CliOutput& io) {
    auto formatter = std::make_shared<HelpFormatter>();
    app.formatter(formatter);
    formatter->label("Usage", say(io, Text::cliUsage));
    formatter->label("OPTIONS", say(io, Text::cliOptionsUpper));
    formatter->label("SUBCOMMAND", say(io, Text::cliCommandUpper));
    formatter->label("SUBCOMMANDS", say(io, Text::cliCommandsUpper));
    formatter->label("Positionals", say(io, Text::cliArguments));
    formatter->label("Options", say(io, Text::cliOptions));
    formatter->label("Subcommands", say(io, Text::cliCommands));
    formatter->label("REQUIRED", say(io, Text::cliRequiredLabel));
    formatter->label("TEXT", say(io, Text::cliTypeText));
}

CLI::App* command(CLI::App& app, const CliOutput& io, const CliCommand& listed) {
    CLI::App* sub = app.add_subcommand(std::string(listed.name), say(io, listed.description));
    sub->group(say(io, Text::cliCommands));
    sub->option_defaults()->group(say(io, Text::cliOptions));
    sub->set_help_flag("-h,--help", say(io, Text::cliHelpFlag));
    sub->set_version_flag("--version", kVersion, say(io, Text::cliVersionFlag));
    return sub;
}

// The option or argument a parse error is about, by its name on the command line.
std::string errorSubject(const CLI::ParseError& e, const CLI::App& app) {
    const std::string message = e.what();
    // CLI11 starts such messages with the option's name ("--format: ...").
    if (message.starts_with("-")) return message.substr(0, message.find_first_of(": "));
    for (const CLI::App* sub : app.get_subcommands([](const CLI::App*) { return true; }))
        for (const CLI::Option* option : sub->get_options())
            if (option->get_required() && option->count() == 0 && sub->parsed())
                return option->get_name(true, false);
    return {};
}

// Each usage error in the interface language, naming what it is about.
std::string usageError(const CLI::ParseError& e, const CLI::App& app, const CliOutput& io) {
    std::string message;
    if (dynamic_cast<const CLI::RequiredError*>(&e) != nullptr) {
        const std::string subject = errorSubject(e, app);
        std::string extras;
        for (const std::string& extra : app.remaining(true)) extras += (extras.empty() ? "" : " ") + extra;
        if (!subject.empty()) message = say(io, Text::cliMissingArgument, {subject});
        else if (extras.empty()) message = say(io, Text::cliNeedCommand, {commandNames()});
        else message = say(io, Text::cliExtraArguments, {extras}) + "; " + say(io, Text::cliNeedCommand, {commandNames()});
    } else if (dynamic_cast<const CLI::ExtrasError*>(&e) != nullptr) {
        std::string list;
        for (const std::string& extra : app.remaining(true)) list += (list.empty() ? "" : " ") + extra;
        message = say(io, Text::cliExtraArguments, {list});
    } else if (dynamic_cast<const CLI::ArgumentMismatch*>(&e) != nullptr) {
        message = say(io, Text::cliValueCount, {errorSubject(e, app)});
    } else if (dynamic_cast<const CLI::ValidationError*>(&e) != nullptr ||
               dynamic_cast<const CLI::ConversionError*>(&e) != nullptr) {
        message = say(io, Text::cliBadValue, {errorSubject(e, app)});
    } else {
        message = say(io, Text::cliBadCommandLine);
    }
    return "orvex-cli: " + message + "\n" + say(io, Text::cliHelpHint) + "\n";
}

// Takes --lang VALUE (or --lang=VALUE) out of args; the last one counts. An
// option without its value gives the empty text, which names no language.
std::optional<std::string> takeLanguageOption(std::vector<std::string>& args) {
    std::optional<std::string> value;
    for (size_t i = 1; i < args.size();) {
        if (args[i] == "--lang") {
            value = i + 1 < args.size() ? args[i + 1] : std::string();
            args.erase(args.begin() + static_cast<long>(i),
                       args.begin() + static_cast<long>(std::min(i + 2, args.size())));
        } else if (args[i].starts_with("--lang=")) {
            value = args[i].substr(7);
            args.erase(args.begin() + static_cast<long>(i));
        } else {
            ++i;
        }
    }
    return value;
}

// The GameState::folder prefix of a folder given on the command line.
std::string folderPrefix(const std::string& folder) {
    if (folder.empty() || folder == ".") return {};
    std::string prefix = folder;
    if (prefix.back() != '/' && prefix.back() != '\\') prefix += '\\';
    return prefix;
}

// Every value the command line can give, filled in by the parser.
struct CliValues {
    std::string folder = ".";
    std::string format = "text"; // check's
    bool strict = false;
    std::string table, outFile, csvFile;
    ImportOptions importOptions;
    DiffOptions diff;
    MergeOptions merge;
    std::string baseFile, mineFile, theirsFile, gitPath; // merge-file, diff-files, show-file
    std::string repo;
    ObjectOptions object; // add, rename
};

void addFolderOption(CLI::App* sub, const CliOutput& io, CliValues& v) {
    sub->add_option("--folder", v.folder, say(io, Text::cliFolderOption))->type_name(say(io, Text::cliTypeFolder));
}

CLI::Option* addFormatOption(CLI::App* sub, const CliOutput& io, std::string& format, Text help,
                             std::vector<std::string> formats) {
    return sub->add_option("--format", format, say(io, help))
        ->type_name(say(io, Text::cliTypeFormat))
        ->check(CLI::IsMember(std::move(formats)));
}

// The options of the commands that read one game folder: check, export, import, diff.
void describeFolderCommands(CLI::App& app, const CliOutput& io, CliValues& v) {
    CLI::App* check = app.get_subcommand("check");
    addFolderOption(check, io, v);
    addFormatOption(check, io, v.format, Text::cliFormatOption, {"text", "json"});
    check->add_flag("--strict", v.strict, say(io, Text::cliStrictOption));

    std::string tableKeys;
    for (const TableName& t : kTableNames) tableKeys += (tableKeys.empty() ? "" : ", ") + std::string(t.key);
    const std::string tableName = say(io, Text::cliTableName);
    CLI::App* exporter = app.get_subcommand("export");
    addFolderOption(exporter, io, v);
    exporter->add_option(tableName, v.table, say(io, Text::cliTableArgument, {tableKeys}))->required()->type_name("");
    exporter->add_option("-o,--output", v.outFile, say(io, Text::cliOutputOption))->type_name(say(io, Text::cliTypeFile));

    CLI::App* importer = app.get_subcommand("import");
    addFolderOption(importer, io, v);
    importer->add_option(tableName, v.table, say(io, Text::cliImportTable))->required()->type_name("");
    importer->add_option(say(io, Text::cliFileName), v.csvFile, say(io, Text::cliCsvFile))->required()->type_name("");
    importer->add_flag("--dry-run", v.importOptions.dryRun, say(io, Text::cliDryRun));
    importer->add_flag("--allow-empty", v.importOptions.allowEmpty, say(io, Text::cliAllowEmpty));

    CLI::App* differ = app.get_subcommand("diff");
    addFolderOption(differ, io, v);
    differ->add_option("--against", v.diff.against, say(io, Text::cliAgainstOption))->type_name(say(io, Text::cliTypeFolder));
    differ->add_flag("--backups", v.diff.backups, say(io, Text::cliBackupsOption));
    addFormatOption(differ, io, v.diff.format, Text::cliDiffFormatOption, {"text", "json", "markdown"});
    differ->add_option(tableName, v.diff.tables, say(io, Text::cliDiffTables))->type_name("");
}

// The options of add and rename.
void describeObjectCommands(CLI::App& app, const CliOutput& io, CliValues& v) {
    ObjectOptions& o = v.object;
    const std::string tableName = say(io, Text::cliTableName);
    std::string tableKeys;
    for (const TableName& t : kTableNames) tableKeys += (tableKeys.empty() ? "" : ", ") + std::string(t.key);
    CLI::App* adder = app.get_subcommand("add");
    CLI::App* renamer = app.get_subcommand("rename");
    for (CLI::App* sub : {adder, renamer}) {
        addFolderOption(sub, io, v);
        sub->add_option(tableName, o.table, say(io, Text::cliTableArgument, {tableKeys}))->required()->type_name("");
    }
    adder->add_option("--copy", o.object, say(io, Text::cliCopyOption))->required()->type_name(say(io, Text::cliTypeText));
    adder->add_option("--id", o.id, say(io, Text::cliIdOption))->required()->type_name(say(io, Text::cliTypeText));
    renamer->add_option("OBJECTID", o.object, say(io, Text::cliObjectArgument))->required()->type_name("");
    for (CLI::App* sub : {adder, renamer}) {
        sub->add_option("--name", o.name, say(io, Text::cliNameOption))->required()->type_name(say(io, Text::cliTypeText));
        addFormatOption(sub, io, o.format, Text::cliFormatOption, {"text", "json"});
    }
}

// The options of merge and of git's drivers and set-up.
void describeMergeCommands(CLI::App& app, const CliOutput& io, CliValues& v) {
    const auto required = [&io](CLI::App* sub, const char* name, std::string& value, Text help) {
        sub->add_option(name, value, say(io, help))->required()->type_name("");
    };
    CLI::App* merger = app.get_subcommand("merge");
    MergeOptions& merge = v.merge;
    required(merger, "BASE", merge.base, Text::cliBaseFolder);
    required(merger, "MINE", merge.mine, Text::cliMineFolder);
    required(merger, "THEIRS", merge.theirs, Text::cliTheirsFolder);
    merger->add_option(say(io, Text::cliTableName), merge.tables, say(io, Text::cliMergeTables))->type_name("");
    merger->add_option("-o,--output", merge.out, say(io, Text::cliMergeOutput))->type_name(say(io, Text::cliTypeFolder));
    merger->add_option("--prefer", merge.prefer, say(io, Text::cliPreferOption))->check(CLI::IsMember({"mine", "theirs"}));
    addFormatOption(merger, io, merge.format, Text::cliMergeFormatOption, {"text", "json", "markdown"});

    CLI::App* mergeFile = app.get_subcommand("merge-file");
    required(mergeFile, "BASE", v.baseFile, Text::cliBaseFile);
    required(mergeFile, "MINE", v.mineFile, Text::cliMineFile);
    required(mergeFile, "THEIRS", v.theirsFile, Text::cliTheirsFile);
    required(mergeFile, "--path", v.gitPath, Text::cliPathOption);

    CLI::App* diffFiles = app.get_subcommand("diff-files");
    required(diffFiles, "OLD", v.baseFile, Text::cliOldFile);
    required(diffFiles, "NEW", v.mineFile, Text::cliNewFile);
    required(diffFiles, "--path", v.gitPath, Text::cliPathOption);

    CLI::App* showFile = app.get_subcommand("show-file");
    showFile->add_option(say(io, Text::cliTypeFile), v.baseFile, say(io, Text::cliShowFileArgument))->required()->type_name("");
    showFile->add_option("--folder", v.folder, say(io, Text::cliShowFolderOption))->type_name(say(io, Text::cliTypeFolder));

    // Their arguments are paths, which may start with "/" (git's, and Wine's).
    for (CLI::App* sub : {merger, mergeFile, diffFiles, showFile}) sub->allow_windows_style_options(false);

    app.get_subcommand("git-setup")->add_option("REPO", v.repo, say(io, Text::cliRepoArgument))->type_name("");
}

// Runs the one command the parser found.
int runParsed(const CLI::App& app, CliValues& v, CliOutput& io) {
    const auto parsed = [&app](const char* name) { return app.get_subcommand(name)->parsed(); };
    const std::string prefix = folderPrefix(v.folder);
    if (parsed("check")) return runCheck(prefix, v.format == "json", v.strict, io);
    if (parsed("diff")) {
        if (v.diff.backups == !v.diff.against.empty()) {
            io.err += "orvex-cli: " + say(io, Text::cliAgainstOrBackups) + "\n" + say(io, Text::cliHelpHint) + "\n";
            return kExitUsage;
        }
        v.diff.againstFolder = folderPrefix(v.diff.against);
        return runDiff(prefix, v.diff, io);
    }
    if (parsed("merge")) {
        MergeOptions& merge = v.merge;
        merge.base = folderPrefix(merge.base);
        merge.mine = folderPrefix(merge.mine);
        merge.theirs = folderPrefix(merge.theirs);
        merge.toOut = app.get_subcommand("merge")->count("--output") > 0;
        if (merge.toOut) merge.out = folderPrefix(merge.out);
        return runMerge(merge, io);
    }
    if (parsed("merge-file")) return runMergeFile(v.baseFile, v.mineFile, v.theirsFile, v.gitPath, io);
    if (parsed("diff-files")) return runDiffFiles(v.baseFile, v.mineFile, v.gitPath, io);
    if (parsed("show-file")) return runShowFile(v.baseFile, prefix, io);
    if (parsed("git-setup")) return runGitSetup(v.repo, ownProgramPath(), io);
    if (parsed("export")) return runExport(prefix, v.table, v.outFile, io);
    if (parsed("add")) return runAdd(prefix, v.object, io);
    if (parsed("rename")) return runRename(prefix, v.object, io);
    return runImport(prefix, v.table, v.csvFile, v.importOptions, io);
}

} // namespace

int runCli(const std::vector<std::string>& givenArgs, CliOutput& io, Language system,
           const char* variable) {
    std::vector<std::string> args = givenArgs;
    const std::optional<std::string> option = takeLanguageOption(args);
    const LanguageChoice choice = chooseLanguage(option, variable, system);
    io.language = choice.language;
    if (choice.refused) {
        io.err += "orvex-cli: " + say(io, Text::badLanguage, {*choice.refused}) + "\n" +
                  say(io, Text::cliHelpHint) + "\n";
        return kExitUsage;
    }

    CLI::App app(say(io, Text::cliDescription), "orvex-cli");
    speakLanguage(app, io);
    app.option_defaults()->group(say(io, Text::cliOptions));
    app.set_help_flag("-h,--help", say(io, Text::cliHelpFlag));
    app.set_version_flag("--version", kVersion, say(io, Text::cliVersionFlag));
    std::string shownLanguage; // taken out of args above; here for the help only
    app.add_option("--lang", shownLanguage, say(io, Text::cliLangOption))->type_name(say(io, Text::cliTypeLanguage));
    app.require_subcommand(1);
    for (const CliCommand& listed : kCliCommands) command(app, io, listed);
    CliValues values;
    describeFolderCommands(app, io, values);
    describeMergeCommands(app, io, values);
    describeObjectCommands(app, io, values);

    std::vector<const char*> argv;
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::Success& e) { // help or version
        std::ostringstream out, err;
        app.exit(e, out, err);
        io.out += out.str();
        if (!io.out.empty() && io.out.back() != '\n') io.out += '\n';
        io.err += err.str();
        return kExitOk;
    } catch (const CLI::ParseError& e) {
        io.err += usageError(e, app, io);
        return kExitUsage;
    }
    return runParsed(app, values, io);
}
