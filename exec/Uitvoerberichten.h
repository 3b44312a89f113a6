#pragma once
#include <QLocale>
#include <QString>

namespace querimo::exec {

// "Opdracht is verwerkt.  3 records toegevoegd." for an action statement that touched aantal records.
QString ActieMelding(long aantal, const QString& opdracht);

// A select-into creates a table: leading blanks (only blanks) are skipped before "select".
bool IsSelectInto(const QString& opdracht);

// "0 records", "1 record", "1.234 records" with the digit grouping of the locale.
QString RecordAantalTekst(qint64 aantal, const QLocale& locale);

}  // namespace querimo::exec
