#include "cli/run_cli.h"

#include "version.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <optional>
#include <sstream>

namespace {

constexpr const char* kVersion = "orvex-cli " ORVEX_VERSION;

// The parser's own words in the language of every message of the program.
void speakLanguage(CLI::App& app, const CliOutput& io) {
    auto formatter = app.get_formatter();
    formatter->label("Usage", say(io, Text::cliUsage));
    formatter->label("OPTIONS", say(io, Text::cliOptionsUpper));
    formatter->label("SUBCOMMAND", say(io, Text::cliCommandUpper));
    formatter->label("SUBCOMMANDS", say(io, Text::cliCommandsUpper));
    formatter->label("Positionals", say(io, Text::cliArguments));
    formatter->label("Options", say(io, Text::cliOptions));
    formatter->label("Subcommands", say(io, Text::cliCommands));
}

CLI::App* command(CLI::App& app, const CliOutput& io, const char* name, Text description) {
    CLI::App* sub = app.add_subcommand(name, say(io, description));
    sub->group(say(io, Text::cliCommands));
    sub->option_defaults()->group(say(io, Text::cliOptions));
    sub->set_help_flag("-h,--help", say(io, Text::cliHelpFlag));
    sub->set_version_flag("--version", kVersion, say(io, Text::cliVersionFlag));
    return sub;
}

std::string usageError(const CLI::ParseError& e, const CliOutput& io) {
    const std::string name = e.get_name();
    Text what = Text::cliBadCommandLine;
    if (name == "RequiredError") what = Text::cliMissingArgument;
    else if (name == "ExtrasError") what = Text::cliExtraArguments;
    else if (name == "ArgumentMismatch") what = Text::cliValueCount;
    else if (name == "ValidationError" || name == "ConversionError") what = Text::cliBadValue;
    return "orvex-cli: " + say(io, what) + " (" + e.what() + ")\n" + say(io, Text::cliHelpHint) + "\n";
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
    app.add_option("--lang", shownLanguage, say(io, Text::cliLangOption));
    app.require_subcommand(1);

    std::string folder = ".";
    const auto folderOption = [&folder, &io](CLI::App* sub) {
        sub->add_option("--folder", folder, say(io, Text::cliFolderOption));
    };

    CLI::App* check = command(app, io, "check", Text::cliCheck);
    std::string format = "text";
    bool strict = false;
    folderOption(check);
    check->add_option("--format", format, say(io, Text::cliFormatOption))
        ->check(CLI::IsMember({"text", "json"}));
    check->add_flag("--strict", strict, say(io, Text::cliStrictOption));

    CLI::App* exporter = command(app, io, "export", Text::cliExport);
    std::string table, outFile, csvFile;
    folderOption(exporter);
    exporter->add_option("TABLE", table, say(io, Text::cliTableArgument))->required();
    exporter->add_option("-o,--output", outFile, say(io, Text::cliOutputOption));

    CLI::App* importer = command(app, io, "import", Text::cliImport);
    bool dryRun = false;
    folderOption(importer);
    importer->add_option("TABLE", table, say(io, Text::cliImportTable))->required();
    importer->add_option("FILE", csvFile, say(io, Text::cliCsvFile))->required();
    importer->add_flag("--dry-run", dryRun, say(io, Text::cliDryRun));

    CLI::App* differ = command(app, io, "diff", Text::cliDiff);
    DiffOptions diff;
    folderOption(differ);
    differ->add_option("--against", diff.against, say(io, Text::cliAgainstOption));
    differ->add_flag("--backups", diff.backups, say(io, Text::cliBackupsOption));
    differ->add_option("--format", diff.format, say(io, Text::cliDiffFormatOption))
        ->check(CLI::IsMember({"text", "json", "markdown"}));
    differ->add_option("TABLE", diff.tables, say(io, Text::cliDiffTables));

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
        io.err += usageError(e, io);
        return kExitUsage;
    }

    const std::string prefix = folderPrefix(folder);
    if (check->parsed()) return runCheck(prefix, format == "json", strict, io);
    if (differ->parsed()) {
        if (diff.backups == !diff.against.empty()) {
            io.err += "orvex-cli: " + say(io, Text::cliAgainstOrBackups) + "\n" + say(io, Text::cliHelpHint) + "\n";
            return kExitUsage;
        }
        diff.againstFolder = folderPrefix(diff.against);
        return runDiff(prefix, diff, io);
    }
    if (exporter->parsed()) return runExport(prefix, table, outFile, io);
    return runImport(prefix, table, csvFile, dryRun, io);
}
