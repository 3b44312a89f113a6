// Start-up and shutdown of the main window, with the settings store.
#include <QAction>
#include <QFile>
#include <QFont>
#include <QHeaderView>
#include <QLocale>
#include <QSettings>
#include <QTableView>
#include <QTextEdit>
#include <QTreeWidget>

#include "Version.h"
#include "app/Keywords.h"
#include "app/Routines.h"
#include "app/frmQuerimo.h"
#include "editor/Bewerker.h"

namespace {

QSettings store()
{
    return QSettings(querimo::version::productName, querimo::version::productName);
}

QString boolText(bool value)
{
    return value ? "True" : "False";
}

bool textBool(const QString& text, bool fallback)
{
    if (text.compare("True", Qt::CaseInsensitive) == 0) return true;
    if (text.compare("False", Qt::CaseInsensitive) == 0) return false;
    return fallback;
}

}  // namespace

void frmQuerimo::Opstarten()
{
    bewerker->KlembordVolgen();
    mnuVorige->setText(mnuVorige->text() + "\tPgUp");
    mnuVolgende->setText(mnuVolgende->text() + "\tPgDn");
    dlgDatabaseOpenen.InitDir = Routines::ProgrammaMap();
    dgdSQL->verticalHeader()->hide();

    QSettings settings = store();
    std::array<QString, 4> stored;
    for (int i = 0; i < 4; ++i) stored[i] = settings.value("LastFile/" + QString::number(i)).toString();
    recenteDatabases.Herstellen(stored);

    QFont font = rtbSQL->font();
    font.setFamily(settings.value("Font/Name", font.family()).toString());
    bool sizeOk = false;
    const double size = QLocale().toDouble(settings.value("Font/Size").toString(), &sizeOk);
    if (sizeOk && size > 0) font.setPointSizeF(size);
    font.setBold(textBool(settings.value("Font/Bold").toString(), font.bold()));
    font.setItalic(textBool(settings.value("Font/Italic").toString(), font.italic()));
    rtbSQL->setFont(font);

    LettertypeVerspreiden();

    Routines::SetTag(treStruktuur, "fields");
    KnoppenBijwerken();
    mnuKnippen->setText(mnuKnippen->text() + "\tCtrl+X");
    mnuKopieren->setText(mnuKopieren->text() + "\tCtrl+C");
    mnuPlakken->setText(mnuPlakken->text() + "\tCtrl+V");
    mnuSelectAll->setText(mnuSelectAll->text() + "\tCtrl+A");

    QFile keywords(Routines::ProgrammaMap() + "/sqlwords.dat");
    if (!keywords.open(QIODevice::ReadOnly)) {
        startFout_ = (keywords.exists() ? "Het bestand kan niet worden gelezen: " : "Bestand niet gevonden: ")
                     + keywords.fileName();
        return;
    }
    bewerker->ZetSleutelwoorden(KeywordList(keywords.readAll()));
    geladen_ = true;
}

void frmQuerimo::Afsluiten()
{
    if (afgesloten_) return;
    afgesloten_ = true;
    bewerker->KlembordLoslaten();
    QSettings settings = store();
    const std::array<QString, 4> recent = recenteDatabases.TeBewaren();
    for (int i = 0; i < 4; ++i)
        if (!recent[i].isEmpty()) settings.setValue("LastFile/" + QString::number(i), recent[i]);
    const QFont font = rtbSQL->font();
    settings.setValue("Font/Name", font.family());
    settings.setValue("Font/Size", QLocale().toString(font.pointSizeF()));
    settings.setValue("Font/Bold", boolText(font.bold()));
    settings.setValue("Font/Italic", boolText(font.italic()));
}
