#include "exec/Uitvoerberichten.h"

namespace querimo::exec {

namespace {

// The first word found wins, in this order, anywhere in the text.
QString Werkwoord(const QString& kleineLetters)
{
    if (kleineLetters.contains(u"insert")) return QStringLiteral("toegevoegd.");
    if (kleineLetters.contains(u"update")) return QStringLiteral("gewijzigd.");
    if (kleineLetters.contains(u"delete")) return QStringLiteral("verwijderd.");
    return QStringLiteral("verwerkt.");
}

}  // namespace

QString ActieMelding(long aantal, const QString& opdracht)
{
    return QStringLiteral("Opdracht is verwerkt.  ") + QString::number(aantal)
           + (aantal == 1 ? QStringLiteral(" record ") : QStringLiteral(" records ")) + Werkwoord(opdracht.toLower());
}

bool IsSelectInto(const QString& opdracht)
{
    qsizetype eerste = 0;
    while (eerste < opdracht.size() && opdracht[eerste] == u' ') ++eerste;
    const QString kleineLetters = opdracht.toLower();
    return kleineLetters.mid(eerste).startsWith(u"select") && kleineLetters.contains(u"into");
}

QString RecordAantalTekst(qint64 aantal, const QLocale& locale)
{
    return locale.toString(aantal) + (aantal == 1 ? QStringLiteral(" record") : QStringLiteral(" records"));
}

}  // namespace querimo::exec
