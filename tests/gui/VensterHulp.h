// Shared by the window tests: a settings store of their own, the sample database, driving modal dialogs.
#pragma once
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <QtTest>
#include <functional>

#include "app/Routines.h"
#include "app/frmQuerimo.h"

namespace vensterhulp {

// Points the per-user settings store at a folder of the test, before any window reads it.
inline void EigenInstellingen(const QTemporaryDir& dir)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
}

// A writable copy, in dir, of the sample database every build puts beside the program.
inline QString VoorbeeldKopie(const QTemporaryDir& dir, const QString& naam = QStringLiteral("voorbeeld.mdb"))
{
    const QString bron = Routines::ProgrammaMap() + "/voorbeeld.mdb";
    const QString doel = dir.filePath(naam);
    QFile::remove(doel);
    if (!QFile::copy(bron, doel))
        qFatal("kan %s niet kopiëren naar %s: de build maakt het voorbeeld naast het programma", qPrintable(bron),
               qPrintable(doel));
    QFile::setPermissions(doel, QFile::ReadOwner | QFile::WriteOwner);
    return doel;
}

struct Melding {
    QString titel, tekst;
};

// Opens path in the window; the message box of a failed opening is closed and handed back.
inline Melding Openen(frmQuerimo& frm, const QString& path)
{
    Melding melding;
    QObject levensduur;  // the answer must not outlive the opening and close a later dialog
    QTimer::singleShot(0, &levensduur, [&melding] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            melding = {box->windowTitle(), box->text()};
            box->accept();
        }
    });
    frm.DatabaseOpenen(path);
    return melding;
}

// Runs action on the next modal dialog as soon as it is shown and laid out (the caller then opens it and waits).
inline void BijDialoog(std::function<void(QWidget*)> action)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        if (!QTest::qWaitForWindowExposed(dialog)) qWarning("dialoog niet zichtbaar geworden");
        QPointer<QWidget> guard(dialog);
        action(dialog);
        // A failed check inside the action must not leave the test waiting on an open dialog.
        if (guard && guard->isVisible() && guard == QApplication::activeModalWidget()) guard->close();
    });
    timer->start();
}

}  // namespace vensterhulp
