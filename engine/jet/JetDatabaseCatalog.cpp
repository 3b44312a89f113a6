#include "jet/JetDatabase.h"

namespace querimo::jet {
namespace {

[[noreturn]] void notYet()
{
    throw DbError(errc::fail, "Dit wordt nog niet ondersteund.");
}

}  // namespace

void JetDatabase::createRelationship(std::string_view, const IndexDef&, std::string_view, const std::vector<std::string>&)
{
    notYet();
}
void JetDatabase::createQuery(const std::string&, const std::vector<QueryRow>&) { notYet(); }
void JetDatabase::dropQuery(std::string_view) { notYet(); }
void JetDatabase::changeDatabasePassword(const std::string&, const std::string&) { notYet(); }

void Database::create(const std::string&, Version) { notYet(); }

}  // namespace querimo::jet
