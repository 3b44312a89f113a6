// Shared by the window tests: a settings store of their own, the corpus, and driving modal dialogs.
#pragma once
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <QtTest>
#include <functional>

namespace vensterhulp {

// Points the per-user settings store at a folder of the test, before any window reads it.
inline void EigenInstellingen(const QTemporaryDir& dir)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
}

// The folder of Access-made databases; empty when it is missing.
inline QString CorpusMap()
{
    const QString fromEnv = qEnvironmentVariable("QUERIMO_CORPUS");
    const QString dir = fromEnv.isEmpty() ? QStringLiteral(QUERIMO_SOURCE_DIR "/../shared/corpus") : fromEnv;
    return QDir(dir).exists() ? QDir(dir).absolutePath() : QString();
}

// A copy of a corpus file in dir, so the test may change it; empty when the corpus is missing.
inline QString CorpusKopie(const QString& name, const QTemporaryDir& dir)
{
    const QString corpus = CorpusMap();
    if (corpus.isEmpty()) return {};
    const QString target = dir.filePath(name);
    QFile::remove(target);
    if (!QFile::copy(corpus + '/' + name, target)) return {};
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

#define VENSTER_CORPUS_NODIG()                                                                             \
    do {                                                                                                   \
        if (vensterhulp::CorpusMap().isEmpty())                                                            \
            QSKIP("corpus van Access-databases ontbreekt: zet QUERIMO_CORPUS of leg hem in ../shared/corpus " \
                  "naast de broncode");                                                                    \
    } while (false)

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
