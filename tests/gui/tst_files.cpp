// Saving the editor to a text file and loading it back, through the one dialog that remembers its folder.
#include <QAction>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

#include <csignal>

#include <sys/resource.h>

#include "VensterHulp.h"

namespace {

struct Getoond {
    QString titel, map, naam;
    QStringList filters;
};

// Answers the next file dialog with path (or cancels it when path is empty) and notes how it was shown.
void BestandKiezen(const QString& path, Getoond* getoond = nullptr)
{
    vensterhulp::BijDialoog([=](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        QVERIFY2(dialog, w->metaObject()->className());
        if (getoond) {
            getoond->titel = dialog->windowTitle();
            getoond->map = dialog->directory().absolutePath();
            getoond->naam = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
            getoond->filters = dialog->nameFilters();
        }
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        // As a user would: go to the folder and type the name.
        dialog->setDirectory(QFileInfo(path).absolutePath());
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QFileInfo(path).fileName());
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

QByteArray Inhoud(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<ontbreekt>");
}

void Schrijven(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

}  // namespace

class TestFiles : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { vensterhulp::EigenInstellingen(settings_); }

    void init()
    {
        frm_ = std::make_unique<frmQuerimo>();
        QCOMPARE(vensterhulp::Openen(*frm_, vensterhulp::VoorbeeldKopie(data_)).tekst, QString());
        QVERIFY(frm_->mnuTekstOpenen->isEnabled());
    }

    void cleanup() { frm_.reset(); }

    void opslaanEnTeruglezen()
    {
        frmQuerimo& frm = *frm_;
        const QString tekst = QStringLiteral("SELECT Naam, 'café €'\nFROM Klant\nWHERE Id = 1");
        frm.rtbSQL->setPlainText(tekst);
        QTextCursor cursor = frm.rtbSQL->textCursor();
        cursor.setPosition(2);
        cursor.setPosition(5, QTextCursor::KeepAnchor);
        frm.rtbSQL->setTextCursor(cursor);

        // A name typed without an extension is used as typed; the whole text is written, not the selection.
        const QString opdracht = dir_.filePath("opdracht");
        Getoond getoond;
        BestandKiezen(opdracht, &getoond);
        frm.mnuTekstOpslaan->trigger();
        QCOMPARE(getoond.titel, QStringLiteral("SQL opdracht in tekstbestand opslaan"));
        QCOMPARE(getoond.map, QDir(Routines::ProgrammaMap()).absolutePath());
        QCOMPARE(getoond.naam, QString());
        QCOMPARE(getoond.filters, QStringList{QStringLiteral("Tekstbestand (*.txt)")});
        // Windows-1252 with CR LF line ends, as the files of the original program.
        const QByteArray bytes("SELECT Naam, 'caf\xe9 \x80'\r\nFROM Klant\r\nWHERE Id = 1");
        QCOMPARE(Inhoud(opdracht), bytes);

        // Opening starts in the folder of the file chosen last, with an empty name box.
        frm.rtbSQL->clear();
        BestandKiezen(opdracht, &getoond);
        frm.Knop("open")->trigger();
        QCOMPARE(getoond.titel, QStringLiteral("Tekstbestand met SQL opdracht openen"));
        QCOMPARE(getoond.map, QDir(dir_.path()).absolutePath());
        QCOMPARE(getoond.naam, QString());
        QCOMPARE(frm.rtbSQL->toPlainText(), tekst);
        QVERIFY(frm.mnuUitvoeren->isEnabled());

        // Saved again, over an existing file, without a question: the same bytes.
        QFile::remove(opdracht);
        QVERIFY(QFile(opdracht).open(QIODevice::WriteOnly));
        BestandKiezen(opdracht);
        frm.Knop("save")->trigger();
        QCOMPARE(Inhoud(opdracht), bytes);
    }

    void annulerenVeranderNiets()
    {
        frmQuerimo& frm = *frm_;
        frm.rtbSQL->setPlainText(QStringLiteral("SELECT 1"));
        const QString path = dir_.filePath("een.txt");
        BestandKiezen(path);
        frm.mnuTekstOpslaan->trigger();

        Getoond getoond;
        BestandKiezen(QString(), &getoond);
        frm.mnuTekstOpenen->trigger();
        QCOMPARE(frm.rtbSQL->toPlainText(), QStringLiteral("SELECT 1"));
        // After a cancel the next dialog still starts in the same folder.
        BestandKiezen(QString(), &getoond);
        frm.mnuTekstOpenen->trigger();
        QCOMPARE(getoond.map, QDir(dir_.path()).absolutePath());
    }

    void mislukteOpslagWordtGemeldEnLaatHetOudeBestandHeel()
    {
        frmQuerimo& frm = *frm_;
        const QString pad = dir_.filePath("vol.sql");
        QFile oud(pad);
        QVERIFY(oud.open(QIODevice::WriteOnly));
        oud.write("oud");
        oud.close();
        frm.rtbSQL->setPlainText(QStringLiteral("SELECT * FROM Klant"));
        // A file size limit makes the write fail for every user, root included.
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit ruim{};
        ::getrlimit(RLIMIT_FSIZE, &ruim);
        QString melding;
        vensterhulp::BijDialoog([&](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            QVERIFY2(dialog, w->metaObject()->className());
            dialog->setDirectory(dir_.path());
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QStringLiteral("vol.sql"));
            vensterhulp::BijDialoog([&melding](QWidget* box) {
                if (auto* bericht = qobject_cast<QMessageBox*>(box)) melding = bericht->text();
                box->close();
            });
            const rlimit krap{8, ruim.rlim_max};
            ::setrlimit(RLIMIT_FSIZE, &krap);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        frm.mnuTekstOpslaan->trigger();
        ::setrlimit(RLIMIT_FSIZE, &ruim);
        QVERIFY2(melding.startsWith("Het tekstbestand '" + pad + "' kon niet worden opgeslagen"), qPrintable(melding));
        QVERIFY(oud.open(QIODevice::ReadOnly));
        QCOMPARE(oud.readAll(), QByteArray("oud"));
        QCOMPARE(frm.rtbSQL->toPlainText(), QStringLiteral("SELECT * FROM Klant"));
    }

    void onleesbaarBestandWordtGemeldEnLaatDeTekstStaan()
    {
        frmQuerimo& frm = *frm_;
        frm.rtbSQL->setPlainText(QStringLiteral("SELECT 1"));
        const QString pad = dir_.filePath("bestaat-niet.txt");
        QString melding;
        vensterhulp::BijDialoog([&](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            QVERIFY2(dialog, w->metaObject()->className());
            vensterhulp::BijDialoog([&melding](QWidget* box) {
                if (auto* bericht = qobject_cast<QMessageBox*>(box)) melding = bericht->text();
                box->close();
            });
            dialog->setDirectory(dir_.path());
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QStringLiteral("bestaat-niet.txt"));
            QMetaObject::invokeMethod(dialog, "accept");
        });
        frm.mnuTekstOpenen->trigger();
        QVERIFY2(melding.startsWith("Het tekstbestand '" + pad + "' kon niet worden gelezen"), qPrintable(melding));
        QCOMPARE(frm.rtbSQL->toPlainText(), QStringLiteral("SELECT 1"));
        QVERIFY(frm.mnuUitvoeren->isEnabled());
    }

    void openenVervangtDeTekstAlsEenStapDieTerugKan()
    {
        frmQuerimo& frm = *frm_;
        const QString pad = dir_.filePath("stap.txt");
        Schrijven(pad, "SELECT 2");
        frm.rtbSQL->setPlainText(QStringLiteral("SELECT 1"));
        BestandKiezen(pad);
        frm.mnuTekstOpenen->trigger();
        QCOMPARE(frm.rtbSQL->toPlainText(), QStringLiteral("SELECT 2"));
        frm.rtbSQL->undo();
        QCOMPARE(frm.rtbSQL->toPlainText(), QStringLiteral("SELECT 1"));
    }

    void coderingVanHetBestandWordtHerkend_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("tekst");
        QTest::newRow("UTF-8 with a byte-order mark") << QByteArray("\xEF\xBB\xBFSELECT 'Caf\xC3\xA9'\r\nFROM t")
                                                      << QStringLiteral("SELECT 'Café'\nFROM t");
        QTest::newRow("UTF-8 beyond ASCII") << QByteArray("SELECT '\xE2\x82\xAC \xCE\xA9'")
                                            << QStringLiteral("SELECT '€ Ω'");
        QTest::newRow("byte-order mark on ASCII") << QByteArray("\xEF\xBB\xBFSELECT 1") << QStringLiteral("SELECT 1");
        QTest::newRow("Windows-1252") << QByteArray("SELECT 'caf\xe9 \x80'") << QStringLiteral("SELECT 'café €'");
        // Two bytes that happen to form a UTF-8 character, next to one that does not: Windows-1252 throughout.
        QTest::newRow("Windows-1252 that is partly valid UTF-8")
            << QByteArray("'\xC3\xA9' '\xe9'") << QStringLiteral("'Ã©' 'é'");
        QTest::newRow("ASCII") << QByteArray("SELECT 1") << QStringLiteral("SELECT 1");
    }

    void coderingVanHetBestandWordtHerkend()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, tekst);
        const QString pad = dir_.filePath("codering.txt");
        Schrijven(pad, bytes);
        BestandKiezen(pad);
        frm_->mnuTekstOpenen->trigger();
        QCOMPARE(frm_->rtbSQL->toPlainText(), tekst);
    }

    void tekensBuitenWindows1252VragenEerst()
    {
        frmQuerimo& frm = *frm_;
        const QString tekst = QStringLiteral("SELECT 'Ω ≠ Ω', 'é'\nFROM Klant");
        frm.rtbSQL->setPlainText(tekst);
        const QString pad = dir_.filePath("utf8.txt");

        // Cancelled: no file dialog, no file.
        QString vraag;
        vensterhulp::BijDialoog([&vraag](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            QVERIFY2(box, w->metaObject()->className());
            vraag = box->text();
            box->button(QMessageBox::Cancel)->click();
        });
        frm.mnuTekstOpslaan->trigger();
        QVERIFY2(vraag.contains(QStringLiteral("Ω≠")) && !vraag.contains(QStringLiteral("é")), qPrintable(vraag));
        QVERIFY(!QFile::exists(pad));

        // Saved as UTF-8 with a byte-order mark, which opens again as it was.
        vensterhulp::BijDialoog([this, pad](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            QVERIFY2(box, w->metaObject()->className());
            BestandKiezen(pad);
            box->defaultButton()->click();
        });
        frm.mnuTekstOpslaan->trigger();
        QCOMPARE(Inhoud(pad), QByteArray("\xEF\xBB\xBF") + QString(tekst).replace("\n", "\r\n").toUtf8());
        frm.rtbSQL->clear();
        BestandKiezen(pad);
        frm.mnuTekstOpenen->trigger();
        QCOMPARE(frm.rtbSQL->toPlainText(), tekst);
    }

private:
    QTemporaryDir settings_;
    QTemporaryDir data_;
    QTemporaryDir dir_;
    std::unique_ptr<frmQuerimo> frm_;
};

QTEST_MAIN(TestFiles)
#include "tst_files.moc"
