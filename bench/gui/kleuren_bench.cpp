// The colouring editor of the real window against plain Qt edit boxes holding the same text, side by side:
// loading 32,000 and 512,000 characters, and a keystroke with its Backspace in the middle and at the start of
// a 32,000-character statement on one line. Each case ends when the key or the text is handled and the visible
// part of the box is painted again, as a user waits for it. Prints the times and the ratios to the peers.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSyntaxHighlighter>
#include <QTemporaryDir>
#include <QTextEdit>
#include <cstdio>
#include <functional>
#include <map>
#include <string>

#include "app/Keywords.h"
#include "app/Routines.h"
#include "app/frmQuerimo.h"
#include "editor/Bewerker.h"
#include "editor/Kleurscan.h"

namespace {

// A statement as users write them, keywords, literals and bracketed names mixed, repeated to the length.
QString Opdracht(int lengte, bool regels)
{
    const QString stuk = QStringLiteral(
        "SELECT k.naam, [order datum], 'van ' & k.plaats AS herkomst FROM klant AS k WHERE k.id = 12 AND ");
    QString tekst;
    tekst.reserve(lengte + stuk.size());
    while (tekst.size() < lengte) {
        tekst += stuk;
        if (regels) tekst += u'\n';
    }
    tekst.truncate(lengte);
    return tekst;
}

// Qt's own way to colour an edit box, the third peer: a QSyntaxHighlighter that colours each changed line
// with the same scan and keyword list, a line at a time.
class Markeerder : public QSyntaxHighlighter {
public:
    Markeerder(QTextDocument* document, const QString& lijst) : QSyntaxHighlighter(document), woorden_(lijst) {}

protected:
    void highlightBlock(const QString& regel) override
    {
        std::vector<querimo::editor::KleurBereik> bereiken;
        querimo::editor::Scanner scan(regel, woorden_, querimo::editor::ScanStand(), bereiken);
        for (int i = 0; i < regel.size(); ++i) scan.Stap(i);
        scan.Einde();
        for (const auto& b : bereiken) setFormat(b.start, b.lengte, b.kleur);
    }

private:
    querimo::editor::Sleutelwoorden woorden_;
};

// What the user waits for after a change: the box's visible part painted again.
void Tonen(QWidget* box)
{
    QCoreApplication::processEvents();
    box->repaint();
}

void Toets(QWidget* box, int toets, const QString& tekst)
{
    QKeyEvent in(QEvent::KeyPress, toets, Qt::NoModifier, tekst);
    QApplication::sendEvent(box, &in);
    QKeyEvent uit(QEvent::KeyRelease, toets, Qt::NoModifier, tekst);
    QApplication::sendEvent(box, &uit);
}

// The boxes under test: the window's editor and the three peers, each with the same font and size.
struct Boxen {
    frmQuerimo* venster;
    QTextEdit* gewoon;
    QPlainTextEdit* plat;
    QTextEdit* gemarkeerd;
};

using Vervangen = std::function<void(const QString&)>;

void Laden(benchmark::State& state, QWidget* box, const Vervangen& vervang, bool regels)
{
    const QString tekst = Opdracht(static_cast<int>(state.range(0)), regels);
    for (auto _ : state) {
        state.PauseTiming();
        vervang(QString());
        Tonen(box);
        state.ResumeTiming();
        vervang(tekst);
        Tonen(box);
    }
}

// One typed character at positie in a 32,000-character line and the Backspace that takes it away again: at
// the start a quote, which turns the whole rest of the statement into a literal and back.
template <typename Box>
void Typen(benchmark::State& state, Box* box, const Vervangen& vervang, int positie)
{
    vervang(Opdracht(32000, false));
    QTextCursor caret = box->textCursor();
    caret.setPosition(positie);
    box->setTextCursor(caret);
    Tonen(box);
    const bool quote = positie == 0;
    for (auto _ : state) {
        Toets(box, quote ? Qt::Key_Apostrophe : Qt::Key_X, quote ? QStringLiteral("'") : QStringLiteral("x"));
        Tonen(box);
        Toets(box, Qt::Key_Backspace, QString());
        Tonen(box);
    }
    state.SetItemsProcessed(2 * state.iterations());
}

// Keeps each case's processor time per iteration to print the ratios after the run: other work on a busy
// machine stretches the wall time of both sides alike, not the time each one computes.
class Verhoudingen : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> tijden;
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) tijden[r.benchmark_name()] = r.GetAdjustedCPUTime();
    }
};

void Registreren(const Boxen& b)
{
    QTextEdit* editor = b.venster->rtbSQL;
    const Vervangen venster = [b](const QString& t) { b.venster->bewerker->TekstVervangen(t); };
    const Vervangen gewoon = [b](const QString& t) { b.gewoon->setPlainText(t); };
    const Vervangen plat = [b](const QString& t) { b.plat->setPlainText(t); };
    const Vervangen gemarkeerd = [b](const QString& t) { b.gemarkeerd->setPlainText(t); };
    const std::pair<const char*, bool> soorten[] = {{"lines", true}, {"oneline", false}};
    for (const auto& [soort, regels] : soorten) {
        const std::string s = soort;
        const int r = regels;
        benchmark::RegisterBenchmark(("load_" + s + "/querimo").c_str(),
                                     [=](benchmark::State& st) { Laden(st, editor, venster, r); })
            ->Arg(32000)
            ->Arg(512000)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("load_" + s + "/QTextEdit").c_str(),
                                     [=](benchmark::State& st) { Laden(st, b.gewoon, gewoon, r); })
            ->Arg(32000)
            ->Arg(512000)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("load_" + s + "/QPlainTextEdit").c_str(),
                                     [=](benchmark::State& st) { Laden(st, b.plat, plat, r); })
            ->Arg(32000)
            ->Arg(512000)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("load_" + s + "/QSyntaxHighlighter").c_str(),
                                     [=](benchmark::State& st) { Laden(st, b.gemarkeerd, gemarkeerd, r); })
            ->Arg(32000)
            ->Arg(512000)
            ->Unit(benchmark::kMillisecond);
    }
    const std::pair<const char*, int> plaatsen[] = {{"middle", 16000}, {"start", 0}};
    for (const auto& [plaats, positie] : plaatsen) {
        const std::string p = plaats;
        const int z = positie;
        benchmark::RegisterBenchmark(("key_" + p + "/querimo").c_str(), [=](benchmark::State& st) {
            Typen(st, editor, venster, z);
        })->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("key_" + p + "/QTextEdit").c_str(), [=](benchmark::State& st) {
            Typen(st, b.gewoon, gewoon, z);
        })->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("key_" + p + "/QPlainTextEdit").c_str(), [=](benchmark::State& st) {
            Typen(st, b.plat, plat, z);
        })->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("key_" + p + "/QSyntaxHighlighter").c_str(), [=](benchmark::State& st) {
            Typen(st, b.gemarkeerd, gemarkeerd, z);
        })->Unit(benchmark::kMillisecond);
    }
}

void VerhoudingenTonen(const std::map<std::string, double>& tijden)
{
    std::printf("\n%-28s %16s %16s %20s\n", "case", "/ QTextEdit", "/ QPlainTextEdit", "/ QSyntaxHighlighter");
    for (const auto& [naam, tijd] : tijden) {
        const auto deel = naam.find("/querimo");
        if (deel == std::string::npos) continue;
        const std::string rest = naam.substr(deel + 8);
        const std::string basis = naam.substr(0, deel);
        const auto peer = [&](const char* box) {
            const auto it = tijden.find(basis + "/" + box + rest);
            return it == tijden.end() || it->second <= 0 ? 0.0 : tijd / it->second;
        };
        std::printf("%-28s %16.2f %16.2f %20.2f\n", (basis + rest).c_str(), peer("QTextEdit"), peer("QPlainTextEdit"),
                    peer("QSyntaxHighlighter"));
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    // A settings store of its own: the user's font must not make the peers unequal.
    QTemporaryDir instellingen;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, instellingen.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, instellingen.path());

    frmQuerimo venster;
    if (!venster.Geladen()) {
        std::fprintf(stderr, "%s\n", qPrintable(venster.StartFout()));
        return 1;
    }
    venster.resize(900, 700);
    venster.show();
    venster.rtbSQL->show();
    venster.rtbSQL->setFocus();
    QTextEdit gewoon;
    QPlainTextEdit plat;
    QTextEdit gemarkeerd;
    QFile lijst(Routines::ProgrammaMap() + "/sqlwords.dat");
    lijst.open(QIODevice::ReadOnly);
    Markeerder markeerder(gemarkeerd.document(), KeywordList(lijst.readAll()));
    for (QWidget* peer :
         {static_cast<QWidget*>(&gewoon), static_cast<QWidget*>(&plat), static_cast<QWidget*>(&gemarkeerd)}) {
        peer->setFont(venster.rtbSQL->font());
        peer->resize(venster.rtbSQL->size());
        peer->show();
    }
    Registreren({&venster, &gewoon, &plat, &gemarkeerd});
    Verhoudingen verslag;
    benchmark::RunSpecifiedBenchmarks(&verslag);
    VerhoudingenTonen(verslag.tijden);
    benchmark::Shutdown();
    return 0;
}
