#include "Arguments.h"

#include <cstddef>
#include <cstdlib>
#include <optional>

namespace querimo::cli {

const char* const usageText =
    "gebruik: querimo-sql [--user GEBRUIKER] [--password WACHTWOORD] [--db-password WACHTWOORD] [--exclusive]\n"
    "                     [--create [--jet3 | --accdb [VERSIE]]] DATABASE OPDRACHT\n"
    "  --create               maak eerst een nieuwe, lege database (Access 2000, Jet 4; met --jet3 Access 97;\n"
    "                         met --accdb een .accdb van Access 2007, of van VERSIE 2010, 2016 of 2019);\n"
    "                         de opdracht mag dan ontbreken\n"
    "opdrachten:\n"
    "  --tables               de tabellen en views: naam TAB soort\n"
    "  --columns TABEL        de velden: naam TAB ADO-type TAB typenaam TAB positie\n"
    "  --indexes TABEL        de indexen: naam TAB velden TAB kenmerken\n"
    "  --export TABEL [--csv] de hele tabel, tabgescheiden of als CSV\n"
    "  \"SQL\" [--csv|--json] [--param NAAM=WAARDE]...\n"
    "                         een SQL-opdracht (\"-\": de SQL van standaardinvoer); rijen met een\n"
    "                         kopregel, of het aantal records voor een actieopdracht; --param NAAM zonder\n"
    "                         '=' geeft Null\n"
    "  --timeout SECONDEN     (bij een SQL-opdracht of --script) breek een opdracht af die langer loopt;\n"
    "                         afsluitstatus 124. Ctrl+C breekt de lopende opdracht af: afsluitstatus 130\n"
    "  --                     wat volgt is geen optie meer (een SQL-opdracht of bestand dat met '-' begint)\n"
    "  --script BESTAND       de SQL-opdrachten van een bestand na elkaar, gescheiden door regels met\n"
    "                         alleen ';'; regels die met '--' beginnen tellen niet mee\n"
    "  --dump postgresql [TABEL...]\n"
    "                         een PostgreSQL-script met tabellen, rijen, sleutels, indexen en relaties\n"
    "  --dump sqlite NIEUW.sqlite\n"
    "                         hetzelfde als nieuwe SQLite-database (een bestaand bestand blijft ongemoeid)\n";

namespace {

class Reader {
public:
    explicit Reader(const std::vector<std::string>& args) : args_(args) {}
    bool done() const { return pos_ >= args_.size(); }
    const std::string& peek() const { return args_[pos_]; }
    const std::string& take() { return args_[pos_++]; }
    const std::string& valueOf(const std::string& option)
    {
        if (done()) throw UsageError("Optie " + option + " verwacht een waarde.");
        return take();
    }

private:
    const std::vector<std::string>& args_;
    std::size_t pos_ = 0;
};

// --timeout: a positive number of seconds.
double seconds(const std::string& text)
{
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(value > 0) || value > 1e9)
        throw UsageError("--timeout verwacht een positief aantal seconden, niet '" + text + "'.");
    return value;
}

// --accdb [VERSION]: the Access version of a new .accdb, 2007 unless a known version follows.
int accessVersion(Reader& in)
{
    if (in.done()) return 2007;
    const std::string& next = in.peek();
    if (next.size() != 4 || next.find_first_not_of("0123456789") != std::string::npos) return 2007;
    if (next != "2007" && next != "2010" && next != "2016" && next != "2019")
        throw UsageError("--accdb kent de versies 2007, 2010, 2016 en 2019, niet " + next + ".");
    return std::atoi(in.take().c_str());
}

std::optional<Command> tableCommand(const std::string& option)
{
    if (option == "--columns") return Command::Columns;
    if (option == "--indexes") return Command::Indexes;
    if (option == "--export") return Command::Export;
    return std::nullopt;
}

}  // namespace

Arguments parseArguments(const std::vector<std::string>& args)
{
    Arguments result;
    Reader in(args);
    bool haveCommand = false;
    auto setCommand = [&](Command c) {
        if (haveCommand) throw UsageError("Geef precies één opdracht.");
        haveCommand = true;
        result.command = c;
    };
    auto positional = [&](const std::string& arg) {
        if (result.database.empty()) {
            result.database = arg;
        } else if (result.command == Command::Dump) {
            result.dumpTargets.push_back(arg);
        } else if (!haveCommand) {
            setCommand(Command::Statement);
            result.statement = arg;
        } else {
            throw UsageError("Onverwacht argument '" + arg + "'.");
        }
    };
    bool options = true;
    while (!in.done()) {
        const std::string arg = in.take();
        if (!options || arg.size() < 2 || arg[0] != '-') {  // a lone "-" is the statement from standard input
            positional(arg);
        } else if (arg == "--") {
            options = false;
        } else if (arg == "--user") {
            result.user = in.valueOf(arg);
        } else if (arg == "--password") {
            result.password = in.valueOf(arg);
        } else if (arg == "--db-password") {
            result.databasePassword = in.valueOf(arg);
        } else if (arg == "--exclusive") {
            result.exclusive = true;
        } else if (arg == "--create") {
            result.create = true;
        } else if (arg == "--jet3") {
            result.jet3 = true;
        } else if (arg == "--accdb") {
            result.accdb = accessVersion(in);
        } else if (arg == "--script") {
            setCommand(Command::Script);
            result.script = in.valueOf(arg);
        } else if (arg == "--csv") {
            result.csv = true;
        } else if (arg == "--json") {
            result.json = true;
        } else if (arg == "--param") {
            const std::string& value = in.valueOf(arg);
            const std::size_t eq = value.find('=');
            if (eq == std::string::npos)
                result.parameters.emplace_back(value, std::nullopt);
            else
                result.parameters.emplace_back(value.substr(0, eq), value.substr(eq + 1));
        } else if (arg == "--dump") {
            setCommand(Command::Dump);
            result.dumpFormat = in.valueOf(arg);
            if (result.dumpFormat != "postgresql" && result.dumpFormat != "sqlite")
                throw UsageError("--dump kent postgresql en sqlite, niet '" + result.dumpFormat + "'.");
        } else if (arg == "--tables") {
            setCommand(Command::Tables);
        } else if (auto c = tableCommand(arg)) {
            setCommand(*c);
            result.table = in.valueOf(arg);
        } else if (arg == "--timeout") {
            result.timeoutSeconds = seconds(in.valueOf(arg));
        } else {
            throw UsageError("Onbekende optie " + arg + ".");
        }
    }
    if (result.database.empty()) throw UsageError("Geef een database.");
    if (!haveCommand && !result.create) throw UsageError("Geef een opdracht.");
    if (result.jet3 && !result.create) throw UsageError("--jet3 hoort alleen bij --create.");
    if (result.accdb != 0 && !result.create) throw UsageError("--accdb hoort alleen bij --create.");
    if (result.accdb != 0 && result.jet3) throw UsageError("Geef --jet3 of --accdb, niet allebei.");
    if (!haveCommand) result.command = Command::None;
    const bool statement = result.command == Command::Statement;
    const bool script = result.command == Command::Script;
    if (result.csv && result.command != Command::Export && !statement && !script)
        throw UsageError("--csv hoort alleen bij --export, een SQL-opdracht of --script.");
    if ((result.json || !result.parameters.empty() || result.timeoutSeconds > 0) && !statement && !script)
        throw UsageError("--json, --param en --timeout horen alleen bij een SQL-opdracht of --script.");
    if (result.json && result.csv) throw UsageError("Kies --csv of --json, niet beide.");
    if (result.dumpFormat == "sqlite" && result.dumpTargets.size() != 1)
        throw UsageError("--dump sqlite verwacht precies één nieuw bestand.");
    return result;
}

}  // namespace querimo::cli
