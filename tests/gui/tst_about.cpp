// The About box: icon, version line, an empty line and the legal notice; Enter and Escape close it.
#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "Version.h"
#include "VensterHulp.h"
#include "app/Routines.h"
#include "app/frmQuerimo.h"
#include "dialogs/frmAbout.h"

class TestAbout : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { vensterhulp::EigenInstellingen(settings_); }

    void tekst()
    {
        QCOMPARE(frmAbout::InfoTekst(4, 0, 0, QStringLiteral("Alle rechten voorbehouden.")),
                 QStringLiteral("Versie 4.0.0\r\n\r\nAlle rechten voorbehouden."));
        QCOMPARE(frmAbout::InfoTekst(4, 10, 2, QString()), QStringLiteral("Versie 4.10.2\r\n\r\n"));
    }

    void venster()
    {
        frmQuerimo frm;
        frmAbout dialog(&frm);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Querimo Info"));
        QCOMPARE(dialog.txtInfo->toPlainText(),
                 QStringLiteral("Versie 4.0.0\n\n") + QString::fromUtf8(querimo::version::legalNotice));
        QVERIFY(!dialog.imgIcoon->pixmap().isNull());
        QCOMPARE(dialog.cmdOK->text(), QStringLiteral("OK"));
        QCOMPARE(dialog.size(), QSize(Routines::TwipsNaarPixels(5280), Routines::TwipsNaarPixels(2055)));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    }

    void enterEnEscapeSluiten()
    {
        frmQuerimo frm;
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
            bool gezien = false;
            vensterhulp::BijDialoog([&gezien, key](QWidget* w) {
                gezien = qobject_cast<frmAbout*>(w) != nullptr;
                QTest::keyClick(w, key);
            });
            frm.mnuInfo->trigger();
            QVERIFY(gezien);
        }
    }

private:
    QTemporaryDir settings_;
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
