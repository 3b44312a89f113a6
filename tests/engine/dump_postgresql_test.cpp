// querimo-sql --dump postgresql loaded into a real PostgreSQL 15 server with psql -v ON_ERROR_STOP=1: every
// table's rows arrive value for value, keys and relationships are enforced, numbering continues. One cluster
// serves every database, so this is one test.
#include <gtest/gtest.h>

#include <memory>

#include "cli/DumpSql.h"
#include "dump_postgres_support.h"
#include "dump_support.h"
#include "support/PostgresServer.h"

namespace querimo::test {
namespace {

// A column selected in querimo-sql --export's text form.
std::string exportForm(const jet::ColumnDef& column)
{
    using T = jet::ColumnType;
    const char* type = column.type == T::Boolean                                 ? "boolean"
                       : column.type == T::Currency                              ? "numeric(19,4)"
                       : column.type == T::DateTime                              ? "timestamp"
                       : column.type == T::Binary || column.type == T::OleObject ? "bytea"
                       : column.type == T::Guid                                  ? "uuid"
                                                                                 : "text";
    return exportFormOfType(cli::quoteIdentifier(column.name), type);
}

class DumpPostgreSql : public WithPostgresServer {
protected:

    // Dumps database into a new server database named name and compares every table with --export.
    void loadsWhole(const std::string& database, const std::string& name)
    {
        SCOPED_TRACE(database);
        const ProcessResult dump = runProcess({querimoSqlPath(), database, "--dump", "postgresql"});
        ASSERT_EQ(dump.exitCode, 0) << dump.err;
        const std::string script = scratch.write(name + ".sql", dump.out);
        server->createDatabase(name);
        const ProcessResult loaded = server->psql(name, {"-f", script});
        ASSERT_EQ(loaded.exitCode, 0) << loaded.err;
        for (const jet::TableDef& table : userTables(database)) {
            SCOPED_TRACE(table.name);
            std::string select;
            for (const jet::ColumnDef& column : table.columns)
                select += (select.empty() ? "" : ", ") + exportForm(column);
            const ProcessResult rows = server->psql(
                name, {"-c", "COPY (SELECT " + select + " FROM " + cli::quoteIdentifier(table.name) + ") TO STDOUT"});
            ASSERT_EQ(rows.exitCode, 0) << rows.err;
            EXPECT_EQ(asExported(rows.out), exportedRows(database, table.name));
        }
    }

    ScratchDir scratch;
};

TEST_F(DumpPostgreSql, LoadsWholeAndKeepsItsConstraints)
{
    const std::string sample = scratch.sample(jet::Version::Jet4);
    loadsWhole(sample, "voorbeeld");
    loadsWhole(scratch.sample(jet::Version::Jet3), "voorbeeld_jet3");
    loadsWhole(edgeValuesDatabase(scratch), "randwaarden");
    const auto refused = [&](const std::string& statement, const std::string& why) {
        const ProcessResult run = server->psql("voorbeeld", {"-c", statement});
        EXPECT_NE(run.exitCode, 0) << statement;
        EXPECT_NE(run.err.find(why), std::string::npos) << run.err;
    };
    refused("INSERT INTO \"Artikel\" SELECT * FROM \"Artikel\" LIMIT 1", "duplicate key");
    refused("INSERT INTO \"Bestelling\" (\"BestelNr\", \"KlantNr\", \"Besteldatum\") VALUES (99999, 99999, now())",
            "foreign key");
    refused("INSERT INTO \"Artikel\" (\"ArtikelNr\", \"Prijs\") VALUES (99999, 1)", "not-null");
    const ProcessResult added = server->psql(
        "voorbeeld", {"-At", "-c", "INSERT INTO \"Klant\" (\"Naam\") VALUES ('Nieuw') RETURNING \"KlantNr\""});
    EXPECT_EQ(added.out, "41\n") << added.err;  // the sample has customers 1 to 40

    const ProcessResult some = runProcess({querimoSqlPath(), sample, "--dump", "postgresql", "klant", "Artikel"});
    EXPECT_EQ(some.exitCode, 0) << some.err;
    EXPECT_NE(some.out.find("CREATE TABLE \"Klant\""), std::string::npos);
    EXPECT_EQ(some.out.find("CREATE TABLE \"Bestelling\""), std::string::npos);

    for (const std::string& file : dumpedCorpusFiles()) {
        QUERIMO_REQUIRE_CORPUS_FILE(file);
        loadsWhole(scratch.copyOf(file), file);
    }
}

}  // namespace
}  // namespace querimo::test
