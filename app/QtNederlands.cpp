#include "app/QtNederlands.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

void QtNederlands()
{
    static QTranslator* vertaling = nullptr;
    if (vertaling) return;
    vertaling = new QTranslator(QCoreApplication::instance());
    if (vertaling->load(QStringLiteral("qtbase_nl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(vertaling);
}
