// The login options dialog: its controls, the values it hands to the main window, and the reopen after OK.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

#include "VensterHulp.h"
#include "app/LayoutPixels.h"
#include "db/frmOpties.h"
#include "jet/pages/Header.h"

namespace {

// Gives a Jet 3 file a database password, written the way Access keeps it in the masked header.
bool PaswoordZetten(const QString& path, const QByteArray& paswoord)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) return false;
    QByteArray page = file.read(querimo::jet::header::bytesNeeded);
    auto* bytes = reinterpret_cast<std::uint8_t*>(page.data());
    querimo::jet::toggleHeaderMask(bytes, querimo::jet::Version::Jet3);
    for (int i = 0; i < 20; ++i) page[0x42 + i] = i < paswoord.size() ? paswoord[i] : '\0';
    querimo::jet::toggleHeaderMask(bytes, querimo::jet::Version::Jet3);
    return file.seek(0) && file.write(page) == page.size();
}

// Fills the options dialog when it appears, then presses its OK.
// A message box that follows (a failed reopen) is closed and its name kept in melding.
void OptiesInvullen(const QString& gebruiker, const QString& paswoord, const QString& dbPaswoord, bool exclusief,
                    QString* melding = nullptr)
{
    vensterhulp::BijDialoog([=](QWidget* w) {
        auto* dialog = qobject_cast<frmOpties*>(w);
        QVERIFY(dialog);
        dialog->txtGebruiker->setText(gebruiker);
        dialog->txtPaswoord->setText(paswoord);
        dialog->txtdbPaswoord->setText(dbPaswoord);
        dialog->chkExclusief->setChecked(exclusief);
        if (melding)
            vensterhulp::BijDialoog([melding](QWidget* box) {
                *melding = box->objectName();
                box->close();
            });
        dialog->cmdOK->click();
    });
}

}  // namespace

class TestOpties : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { vensterhulp::EigenInstellingen(settings_); }

    void besturingselementen()
    {
        querimo::db::Aanmelding waarden;
        waarden.dbExclusief = true;
        waarden.Paswoord = QStringLiteral("geheim");
        frmOpties dialog(waarden, nullptr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Opties"));
        QCOMPARE(dialog.txtGebruiker->text(), QStringLiteral("Admin"));
        QCOMPARE(dialog.txtPaswoord->text(), QStringLiteral("geheim"));
        QVERIFY(dialog.chkExclusief->isChecked());
        QCOMPARE(dialog.txtGebruiker->echoMode(), QLineEdit::Normal);
        QCOMPARE(dialog.txtPaswoord->echoMode(), QLineEdit::Password);
        QCOMPARE(dialog.txtdbPaswoord->echoMode(), QLineEdit::Password);
        QCOMPARE(dialog.lblLabels[2]->text(), QStringLiteral("&Databasepaswoord:"));
        QVERIFY(dialog.cmdOK->isDefault());
        // The labels' access keys lead to their boxes, and their right edges line up.
        QCOMPARE(dialog.lblLabels[2]->buddy(), dialog.txtdbPaswoord);
        for (QLabel* label : dialog.lblLabels) QCOMPARE(label->geometry().right() + 1, Routines::TwipsNaarPixels(1965));
        QCOMPARE(dialog.txtPaswoord->geometry(), querimo::layout::toPixels({2040, 547, 2325, 345}));
        QCOMPARE(dialog.size(), QSize(Routines::TwipsNaarPixels(4530), Routines::TwipsNaarPixels(2400)));
    }

    void tabVolgordeEnAllesSelecteren()
    {
        querimo::db::Aanmelding waarden;
        waarden.dbPaswoord = QStringLiteral("db");
        frmOpties dialog(waarden, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(QApplication::focusWidget(), dialog.txtGebruiker);
        QWidget* volgorde[] = {dialog.txtPaswoord, dialog.txtdbPaswoord, dialog.cmdOK,
                               dialog.cmdCancel,   dialog.chkExclusief,  dialog.txtGebruiker};
        for (QWidget* volgende : volgorde) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), volgende);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), dialog.txtdbPaswoord);
        QCOMPARE(dialog.txtdbPaswoord->selectedText(), QStringLiteral("db"));
        // Typing replaces the old value.
        QTest::keyClicks(dialog.txtdbPaswoord, QStringLiteral("nieuw"));
        QCOMPARE(dialog.txtdbPaswoord->text(), QStringLiteral("nieuw"));
    }

    void okZonderDatabaseOpentNiets()
    {
        frmQuerimo frm;
        OptiesInvullen(QStringLiteral(" Jan "), QStringLiteral("pw"), QString(), true);
        frm.mnuOpties->trigger();
        QCOMPARE(frm.database.Waarden.Gebruiker, QStringLiteral(" Jan "));
        QCOMPARE(frm.database.Waarden.Paswoord, QStringLiteral("pw"));
        QCOMPARE(frm.database.Waarden.dbPaswoord, QString());
        QVERIFY(frm.database.Waarden.dbExclusief);
        QVERIFY(frm.database.HuidigeDb().isEmpty());
        QCOMPARE(frm.database.Verbinding.State(), querimo::ado::ObjectState::Closed);

        // The tick can be taken off again.
        OptiesInvullen(QStringLiteral("Admin"), QString(), QString(), false);
        frm.mnuOpties->trigger();
        QVERIFY(!frm.database.Waarden.dbExclusief);
    }

    void annulerenEnSluitknopVeranderenNiets()
    {
        frmQuerimo frm;
        vensterhulp::BijDialoog([](QWidget* w) {
            auto* dialog = qobject_cast<frmOpties*>(w);
            dialog->txtGebruiker->setText(QStringLiteral("Piet"));
            dialog->cmdCancel->click();
        });
        frm.mnuOpties->trigger();
        QCOMPARE(frm.database.Waarden.Gebruiker, QStringLiteral("Admin"));

        vensterhulp::BijDialoog([](QWidget* w) {
            qobject_cast<frmOpties*>(w)->txtGebruiker->setText(QStringLiteral("Piet"));
            w->close();
        });
        frm.mnuOpties->trigger();
        QCOMPARE(frm.database.Waarden.Gebruiker, QStringLiteral("Admin"));
    }

    void okHeropentMetDeNieuweWaarden()
    {
        // The database password is tried on Jet 3, whose header keeps it masked but otherwise plain.
        const QString path = data_.filePath("jet3.mdb");
        QCOMPARE(QProcess::execute(Routines::ProgrammaMap() + "/querimo-sql", {"--create", "--jet3", path}), 0);
        QVERIFY(PaswoordZetten(path, "Sesam"));
        frmQuerimo frm;

        OptiesInvullen(QStringLiteral("Admin"), QString(), QStringLiteral("Sesam"), false);
        frm.mnuOpties->trigger();
        QVERIFY(frm.database.HuidigeDb().isEmpty());
        frm.DatabaseOpenen(path);
        QCOMPARE(frm.database.HuidigeDb(), path);

        // OK reopens even without a change: the reopen empties the editor.
        frm.rtbSQL->setPlainText(QStringLiteral("SELECT 1"));
        OptiesInvullen(QStringLiteral("Admin"), QString(), QStringLiteral("Sesam"), false);
        frm.mnuOpties->trigger();
        QCOMPARE(frm.database.HuidigeDb(), path);
        QCOMPARE(frm.rtbSQL->toPlainText(), QString());

        // A wrong database password shows up at the reopen; afterwards no database is open.
        QString melding;
        OptiesInvullen(QStringLiteral("Admin"), QString(), QStringLiteral("fout"), false, &melding);
        frm.mnuOpties->trigger();
        QCOMPARE(melding, QStringLiteral("OpenFout"));
        QVERIFY(frm.database.HuidigeDb().isEmpty());
        QVERIFY(!frm.mnuBewerken->isEnabled());
        QCOMPARE(frm.database.Waarden.dbPaswoord, QStringLiteral("fout"));
    }

private:
    QTemporaryDir settings_;
    QTemporaryDir data_;
};

QTEST_MAIN(TestOpties)
#include "tst_opties.moc"
