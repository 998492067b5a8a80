#include "cli/run_cli.h"

#include <CLI/CLI.hpp>

#include <sstream>

namespace {

constexpr const char* kVersion = "orvex-cli 2.1";

// The parser's own words in Russian, like every message of the program.
void speakRussian(CLI::App& app) {
    auto formatter = app.get_formatter();
    formatter->label("Usage", "Запуск");
    formatter->label("OPTIONS", "ПАРАМЕТРЫ");
    formatter->label("SUBCOMMAND", "КОМАНДА");
    formatter->label("SUBCOMMANDS", "КОМАНДЫ");
    formatter->label("Positionals", "Аргументы");
    formatter->label("Options", "Параметры");
    formatter->label("Subcommands", "Команды");
}

CLI::App* command(CLI::App& app, const char* name, const char* description) {
    CLI::App* sub = app.add_subcommand(name, description);
    sub->group("Команды");
    sub->option_defaults()->group("Параметры");
    sub->set_help_flag("-h,--help", "показать эту справку");
    sub->set_version_flag("--version", kVersion, "показать версию");
    return sub;
}

std::string usageError(const CLI::ParseError& e) {
    const std::string name = e.get_name();
    std::string what = "ошибка в командной строке";
    if (name == "RequiredError") what = "не хватает аргумента";
    else if (name == "ExtrasError") what = "лишние аргументы";
    else if (name == "ArgumentMismatch") what = "неверное число значений";
    else if (name == "ValidationError" || name == "ConversionError") what = "недопустимое значение";
    return "orvex-cli: " + what + " (" + e.what() + ")\nСправка: orvex-cli --help\n";
}

} // namespace

int runCli(const std::vector<std::string>& args, CliOutput& io) {
    CLI::App app("Orvex: проверка таблиц игры, выгрузка таблицы в CSV и загрузка обратно",
                 "orvex-cli");
    speakRussian(app);
    app.option_defaults()->group("Параметры");
    app.set_help_flag("-h,--help", "показать эту справку");
    app.set_version_flag("--version", kVersion, "показать версию");
    app.require_subcommand(1);

    std::string folder = ".";
    const auto folderOption = [&folder](CLI::App* sub) {
        sub->add_option("--folder", folder, "папка игры (в ней папка types); по умолчанию текущая");
    };

    CLI::App* check = command(app, "check", "проверить все таблицы и показать находки");
    std::string format = "text";
    bool strict = false;
    folderOption(check);
    check->add_option("--format", format, "вид вывода: text или json")
        ->check(CLI::IsMember({"text", "json"}));
    check->add_flag("--strict", strict, "код 1 и при одних предупреждениях");

    CLI::App* exporter = command(app, "export", "выгрузить таблицу в CSV");
    std::string table, outFile, csvFile;
    folderOption(exporter);
    exporter->add_option("TABLE", table,
                         "таблица: ships, lasers, bullets, shields, rockets, cockpits, "
                         "stations, wareB … wareT или имя файла (TShips.txt)")
        ->required();
    exporter->add_option("-o,--output", outFile, "файл CSV; без него — стандартный вывод");

    CLI::App* importer = command(app, "import", "сделать таблицу точно строками CSV");
    bool dryRun = false;
    folderOption(importer);
    importer->add_option("TABLE", table, "таблица, как у export")->required();
    importer->add_option("FILE", csvFile, "файл CSV")->required();
    importer->add_flag("--dry-run", dryRun, "только проверить и сказать, что изменится");

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
        io.err += usageError(e);
        return kExitUsage;
    }

    std::string prefix;
    if (folder != ".") {
        prefix = folder;
        if (prefix.back() != '/' && prefix.back() != '\\') prefix += '\\';
    }
    if (check->parsed()) return runCheck(prefix, format == "json", strict, io);
    if (exporter->parsed()) return runExport(prefix, table, outFile, io);
    return runImport(prefix, table, csvFile, dryRun, io);
}
