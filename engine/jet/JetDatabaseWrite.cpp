#include "jet/JetDatabase.h"

namespace querimo::jet {
namespace {

[[noreturn]] void notYet()
{
    throw DbError(errc::fail, "Schrijven in de database wordt nog niet ondersteund.");
}

}  // namespace

void JetDatabase::beginRead() {}
void JetDatabase::endRead() {}
void JetDatabase::beginStatement() { notYet(); }
void JetDatabase::commitStatement() { notYet(); }
void JetDatabase::rollbackStatement() { file_.discardChanges(); }
RowId JetDatabase::insertRow(const TableDef&, std::vector<Value>) { notYet(); }
void JetDatabase::updateRow(const TableDef&, RowId, std::vector<Value>) { notYet(); }
void JetDatabase::deleteRow(const TableDef&, RowId) { notYet(); }

}  // namespace querimo::jet
