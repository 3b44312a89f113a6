#include "sql/SqliteFailure.h"

#include <string>
#include <utility>

#include "core/Error.h"
#include "core/StopSignal.h"

namespace querimo::sql {

[[noreturn]] void failSqlite(sqlite3* db)
{
    const std::string message = sqlite3_errmsg(db);
    // Stopped in SQLite's own loop (the progress handler) or in a scan of ours.
    if ((sqlite3_errcode(db) & 0xff) == SQLITE_INTERRUPT || message == statementStoppedMessage)
        throw statementStopped();
    static const std::pair<const char*, const char*> known[] = {
        {"integer overflow", "Numerieke overloop bij het berekenen van de query."},
        {"no such function", "De query gebruikt een functie die niet bestaat."},
        {"misuse of aggregate", "Een statistische functie staat op een plaats waar dat niet mag."},
        {"misuse of window", "Een statistische functie staat op een plaats waar dat niet mag."},
        {"wrong number of arguments", "Een functie krijgt een verkeerd aantal argumenten."},
        {"too many", "De query is te groot of te diep genest."},
        {"Expression tree is too large", "De query is te groot of te diep genest."},
        {"parser stack overflow", "De query is te groot of te diep genest."},
        {"string or blob too big", "Een waarde is te groot."},
        {"out of memory", "Onvoldoende geheugen om de query uit te voeren."},
        {"sub-select returns", "Een subquery levert een verkeerd aantal kolommen op."},
        {"no such column", "De query verwijst naar een kolom die niet bestaat."},
        {"ambiguous column", "De query verwijst naar een kolom die in meer dan één tabel voorkomt."},
        {"near ", "De query kan niet worden vertaald."},
    };
    for (const auto& [english, dutch] : known)
        if (message.find(english) != std::string::npos) throw DbError(errc::fail, dutch);
    const int code = sqlite3_errcode(db) & 0xff;
    if (code == SQLITE_ERROR && !message.empty() && message != "SQL logic error") throw DbError(errc::fail, message);
    throw DbError(errc::fail, "De query kon niet worden uitgevoerd (foutcode " + std::to_string(code) + ").");
}

}  // namespace querimo::sql
