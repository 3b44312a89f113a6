// The structure tree of large databases in the real window, offscreen: files of 1,000 and 10,000 tables with
// five fields each (or the table counts given as arguments), made once in bench-data by our writer. For each:
// opening the file until its tree is painted, building the tree again (as after a statement that returns no
// rows), the same in the index view, and of that the schema questions alone. Prints the best of three runs.
#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "app/frmQuerimo.h"
#include "jet/Database.h"
#include "sql/Sql.h"

namespace {

namespace fs = std::filesystem;

std::string Bestand(int tabellen)
{
    const fs::path pad = fs::path("bench-data") / ("tabellen-" + std::to_string(tabellen) + ".mdb");
    if (fs::exists(pad)) return pad.string();
    fs::create_directories(pad.parent_path());
    const std::string maken = pad.string() + ".nieuw";
    fs::remove(maken);
    std::fprintf(stderr, "%s wordt gemaakt (%d tabellen)...\n", pad.c_str(), tabellen);
    querimo::jet::Database::create(maken, querimo::jet::Version::Jet4);
    {
        querimo::jet::OpenOptions opties;
        opties.path = maken;
        auto db = querimo::jet::Database::open(opties);
        for (int t = 1; t <= tabellen; ++t)
            querimo::sql::run(*db, "CREATE TABLE Tabel" + std::to_string(t)
                                       + " (Nr LONG CONSTRAINT pk PRIMARY KEY, Naam TEXT(50), Bedrag CURRENCY, "
                                         "Datum DATETIME, Opmerking MEMO)");
    }
    fs::rename(maken, pad);
    return pad.string();
}

// Milliseconds of the quickest of three runs: other work on the machine only ever adds time.
double Beste(const std::function<void()>& werk)
{
    double beste = 0;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer klok;
        klok.start();
        werk();
        const double ms = static_cast<double>(klok.nsecsElapsed()) / 1e6;
        beste = i == 0 ? ms : std::min(beste, ms);
    }
    return beste;
}

// What the user waits for: the tree painted.
void Getoond(frmQuerimo& venster)
{
    QCoreApplication::processEvents();
    venster.treStruktuur->repaint();
}

void Meten(frmQuerimo& venster, int tabellen)
{
    const QString pad = QString::fromStdString(fs::absolute(Bestand(tabellen)).string());
    int knopen = 0;
    const double openen = Beste([&] {
        venster.DatabaseOpenen(pad);
        Getoond(venster);
    });
    for (QTreeWidgetItemIterator it(venster.treStruktuur); *it; ++it) ++knopen;
    const double velden = Beste([&] {
        venster.StruktuurVullen();
        Getoond(venster);
    });
    const double vragen = Beste([&] { venster.struktuur.Lezen(venster.database.Verbinding); });
    venster.BeeldIndexen();
    const double indexen = Beste([&] {
        venster.StruktuurVullen();
        Getoond(venster);
    });
    const double indexvragen = Beste([&] { venster.struktuur.Lezen(venster.database.Verbinding); });
    venster.BeeldVelden();
    std::printf("%6d tabellen (%6d knopen)   openen tot boom getoond %8.1f ms   boom opnieuw %8.1f ms (schemavragen "
                "%8.1f ms)   indexbeeld %8.1f ms (schemavragen %8.1f ms)\n",
                tabellen, knopen, openen, velden, vragen, indexen, indexvragen);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // A settings store of its own: the recent list and options of the user stay out of it.
    QTemporaryDir instellingen;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, instellingen.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, instellingen.path());

    std::vector<int> aantallen;
    for (int i = 1; i < argc; ++i) aantallen.push_back(std::atoi(argv[i]));
    if (aantallen.empty()) aantallen = {1000, 10000};
    frmQuerimo venster;
    if (!venster.Geladen()) {
        std::fprintf(stderr, "%s\n", qPrintable(venster.StartFout()));
        return 1;
    }
    venster.resize(900, 700);
    venster.show();
    for (const int tabellen : aantallen) Meten(venster, tabellen);
    return 0;
}
