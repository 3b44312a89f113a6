// The editor font: chosen in the font dialog, spread over the window, kept between runs.
#include <QAction>
#include <QFontDatabase>
#include <QFontDialog>
#include <QHeaderView>
#include <QTableView>
#include <QTextEdit>
#include <QTreeWidget>
#include <QtTest>

#include "VensterHulp.h"
#include "app/frmQuerimo.h"

namespace {

bool ZelfdeLetter(const QFont& a, const QFont& b)
{
    return a.family() == b.family() && a.pointSizeF() == b.pointSizeF() && a.bold() == b.bold() &&
           a.italic() == b.italic();
}

void OveralDezelfde(const frmQuerimo& frm, const QFont& verwacht)
{
    QVERIFY2(ZelfdeLetter(frm.rtbSQL->font(), verwacht), qPrintable(frm.rtbSQL->font().toString()));
    QVERIFY(ZelfdeLetter(frm.dgdSQL->font(), verwacht));
    QVERIFY(ZelfdeLetter(frm.dgdSQL->horizontalHeader()->font(), verwacht));
    QVERIFY(ZelfdeLetter(frm.font(), verwacht));
    QVERIFY(ZelfdeLetter(frm.treStruktuur->font(), verwacht));
}

}  // namespace

class TestFont : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { vensterhulp::EigenInstellingen(settings_); }

    void kiezenVerspreidenEnBewaren()
    {
        QFont gekozen;
        {
            frmQuerimo frm;
            const QStringList families = QFontDatabase::families();
            if (!families.contains("DejaVu Sans") || !families.contains("DejaVu Serif"))
                QSKIP("de lettertypen DejaVu Sans en DejaVu Serif ontbreken (Debian-pakket fonts-dejavu-core)");
            QFont voor(QStringLiteral("DejaVu Sans"));
            voor.setPointSizeF(11);
            frm.rtbSQL->setFont(voor);
            gekozen = QFont(QStringLiteral("DejaVu Serif"));
            gekozen.setPointSizeF(12);
            gekozen.setBold(true);

            QFont getoond;
            vensterhulp::BijDialoog([&](QWidget* w) {
                auto* dialog = qobject_cast<QFontDialog*>(w);
                QVERIFY(dialog);
                getoond = dialog->currentFont();
                dialog->setCurrentFont(gekozen);
                dialog->accept();
            });
            frm.mnuLettertype->trigger();
            // The dialog opened with the editor's font preselected.
            QCOMPARE(getoond.family(), voor.family());
            QCOMPARE(getoond.pointSizeF(), 11.0);
            QVERIFY(!getoond.bold());
            gekozen = frm.rtbSQL->font();
            QCOMPARE(gekozen.pointSizeF(), 12.0);
            QVERIFY(gekozen.bold());
            QVERIFY(!gekozen.italic());
            OveralDezelfde(frm, gekozen);

            // Cancelling after changing the choice leaves every font as it was.
            vensterhulp::BijDialoog([](QWidget* w) {
                auto* dialog = qobject_cast<QFontDialog*>(w);
                QFont ander = dialog->currentFont();
                ander.setItalic(true);
                ander.setPointSizeF(20);
                dialog->setCurrentFont(ander);
                dialog->reject();
            });
            frm.mnuLettertype->trigger();
            OveralDezelfde(frm, gekozen);
            frm.close();
        }
        // The next run starts with it.
        frmQuerimo volgende;
        OveralDezelfde(volgende, gekozen);
    }

private:
    QTemporaryDir settings_;
};

QTEST_MAIN(TestFont)
#include "tst_font.moc"
