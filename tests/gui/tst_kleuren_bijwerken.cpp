// Colouring only what a change can affect gives exactly the colours of a scan of the whole text: random
// edits of quotes, brackets, "#", letters, blanks and line breaks, each compared with a full scan.
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextLayout>
#include <QtTest>

#include "editor/Bewerker.h"
#include "editor/KleurGeheugen.h"
#include "editor/Kleurscan.h"

using namespace querimo::editor;

namespace {

const QString Woorden = QStringLiteral("#SELECT#FROM#WHERE#");

// Pieces that open and close literals and names, make keywords and break words, in every combination.
const QStringList Stukken = {"'", "\"", "[", "]", "#", "select", "from", "x", "Where", " ", "\n", "(", "'a b'", "é"};

QString WillekeurigStuk(QRandomGenerator& toeval)
{
    QString stuk;
    const int aantal = toeval.bounded(1, 4);
    for (int i = 0; i < aantal; ++i) stuk += Stukken[toeval.bounded(static_cast<int>(Stukken.size()))];
    return stuk;
}

// The colour of every character by a scan of the whole text; a line break shows no colour.
std::vector<QColor> VolledigeKleuren(const QString& tekst)
{
    std::vector<QColor> kleuren(tekst.size(), KleurGewoon);
    for (const KleurBereik& b : Kleurscan(tekst, Woorden))
        for (int i = b.start; i < b.eind(); ++i) kleuren[i] = b.kleur;
    for (int i = 0; i < tekst.size(); ++i)
        if (tekst[i] == u'\n') kleuren[i] = KleurGewoon;
    return kleuren;
}

// The colour every character shows in the editor: a colour of the layout, or else the box's own.
std::vector<QColor> GetoondeKleuren(QTextEdit& editor)
{
    std::vector<QColor> kleuren(editor.toPlainText().size(), editor.palette().color(QPalette::Text));
    for (QTextBlock blok = editor.document()->begin(); blok.isValid(); blok = blok.next()) {
        const int tekstLengte = blok.length() - 1;
        for (const QTextLayout::FormatRange& r : blok.layout()->formats())
            for (int i = r.start; i < r.start + r.length && i < tekstLengte; ++i)
                kleuren[blok.position() + i] = r.format.foreground().color();
        if (blok.next().isValid()) kleuren[blok.position() + tekstLengte] = KleurGewoon;  // the line break
    }
    return kleuren;
}

QString Beschrijving(const QString& tekst, int stap)
{
    QString zichtbaar = tekst;
    zichtbaar.replace('\n', "\\n");
    return QStringLiteral("stap %1: \"%2\"").arg(stap).arg(zichtbaar);
}

}  // namespace

class TestKleurenBijwerken : public QObject {
    Q_OBJECT

private slots:
    void theMemoryMatchesAFullScanAfterEveryEdit()
    {
        QRandomGenerator toeval(16);
        KleurGeheugen geheugen;
        geheugen.ZetSleutelwoorden(Woorden);
        QString tekst;
        geheugen.Alles(tekst);
        for (int stap = 0; stap < 20000; ++stap) {
            const int positie = toeval.bounded(static_cast<int>(tekst.size()) + 1);
            const int verwijderd =
                toeval.bounded(3) == 0 ? 0 : toeval.bounded(std::min<int>(8, tekst.size() - positie) + 1);
            // Long enough for the remembered states to matter, short enough to stay varied.
            const QString nieuw = tekst.size() > 600 ? QString() : WillekeurigStuk(toeval);
            tekst.replace(positie, verwijderd, nieuw);
            const Gewijzigd g = geheugen.Bijwerken(tekst, positie, verwijderd, static_cast<int>(nieuw.size()));
            QVERIFY(g.van <= positie && g.tot >= positie + nieuw.size());
            QVERIFY2(geheugen.Bereiken() == Kleurscan(tekst, Woorden), qPrintable(Beschrijving(tekst, stap)));
        }
    }

    void aChangeThatDoesNotFitScansTheWholeText()
    {
        KleurGeheugen geheugen;
        geheugen.ZetSleutelwoorden(Woorden);
        geheugen.Alles(QStringLiteral("select 'x' from"));
        const QString tekst = QStringLiteral("where [a] select");
        const Gewijzigd g = geheugen.Bijwerken(tekst, 3, 1, 1);  // the lengths do not add up
        QCOMPARE(g.van, 0);
        QCOMPARE(g.tot, static_cast<int>(tekst.size()));
        QVERIFY(geheugen.Bereiken() == Kleurscan(tekst, Woorden));
    }

    void theEditorShowsTheColoursOfAFullScanAfterEveryEdit()
    {
        QRandomGenerator toeval(1616);
        QTextEdit editor;
        Bewerker bewerker(&editor);
        bewerker.ZetSleutelwoorden(Woorden);
        for (int stap = 0; stap < 1500; ++stap) {
            const QString voor = editor.toPlainText();
            const int keuze = toeval.bounded(10);
            if (keuze == 0 && editor.document()->isUndoAvailable()) {
                editor.undo();
            } else if (keuze == 1 && editor.document()->isRedoAvailable()) {
                editor.redo();
            } else {
                QTextCursor cursor(editor.document());
                const int positie = toeval.bounded(static_cast<int>(voor.size()) + 1);
                cursor.setPosition(positie);
                cursor.setPosition(positie + toeval.bounded(std::min<int>(6, voor.size() - positie) + 1),
                                   QTextCursor::KeepAnchor);
                cursor.insertText(voor.size() > 400 ? QString() : WillekeurigStuk(toeval));
            }
            const QString tekst = editor.toPlainText();
            QVERIFY2(GetoondeKleuren(editor) == VolledigeKleuren(tekst), qPrintable(Beschrijving(tekst, stap)));
        }
    }

    void aWholeNewTextIsColouredWhole()
    {
        QTextEdit editor;
        Bewerker bewerker(&editor);
        bewerker.ZetSleutelwoorden(Woorden);
        editor.setPlainText(QStringLiteral("select 'a\nb' from [x]\nwhere"));
        QCOMPARE(GetoondeKleuren(editor), VolledigeKleuren(editor.toPlainText()));
        bewerker.TekstVervangen(QStringLiteral("from\n\n'select"));
        QCOMPARE(GetoondeKleuren(editor), VolledigeKleuren(editor.toPlainText()));
        editor.undo();
        QCOMPARE(GetoondeKleuren(editor), VolledigeKleuren(editor.toPlainText()));
    }
};

QTEST_MAIN(TestKleurenBijwerken)
#include "tst_kleuren_bijwerken.moc"
