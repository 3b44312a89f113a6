#include "jet/JetDatabase.h"

namespace querimo::jet {
namespace {

[[noreturn]] void notYet()
{
    throw DbError(errc::fail, "Het wijzigen van de databasestructuur wordt nog niet ondersteund.");
}

}  // namespace

void JetDatabase::createTable(const TableDef&) { notYet(); }
void JetDatabase::dropTable(std::string_view) { notYet(); }
void JetDatabase::addColumn(std::string_view, const ColumnDef&) { notYet(); }
void JetDatabase::dropColumn(std::string_view, std::string_view) { notYet(); }
void JetDatabase::alterColumn(std::string_view, const ColumnDef&) { notYet(); }
void JetDatabase::createIndex(std::string_view, const IndexDef&) { notYet(); }
void JetDatabase::dropIndex(std::string_view, std::string_view) { notYet(); }

}  // namespace querimo::jet
