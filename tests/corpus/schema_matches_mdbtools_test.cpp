// The tables, columns and indexes querimo-sql lists for every corpus file, against mdb-tables and mdb-schema.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "corpus/CorpusCase.h"

namespace querimo::test {

namespace {

std::set<std::string> lines(const std::string& text)
{
    std::set<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) result.insert(line);
    return result;
}

std::set<std::string> namesOfType(const std::vector<TableEntry>& tables, const std::string& type)
{
    std::set<std::string> names;
    for (const auto& t : tables)
        if (t.type == type) names.insert(t.name);
    return names;
}

std::vector<std::string> tablesToCompare(const std::vector<TableEntry>& tables)
{
    std::vector<std::string> names;
    for (const auto& t : tables)
        if (t.type == "TABLE") names.push_back(t.name);
    return names;
}

// Our type words, mdb-schema's (Access back end) words and the ADO type numbers the provider reports.
struct TypeNames {
    const char* ours;
    const char* mdbSchema;
    int ado;
};
const TypeNames typeNames[] = {
    {"Ja/nee", "Boolean", 11},
    {"Byte", "Byte", 17},
    {"Integer", "Integer", 2},
    {"Lange integer", "Long Integer", 3},
    {"Valuta", "Currency", 6},
    {"Enkele precisie", "Single", 4},
    {"Dubbele precisie", "Double", 5},
    {"Datum/tijd", "DateTime", 7},
    {"Binair", "Binary", 128},
    {"Tekst", "Text", 130},
    {"OLE-object", "OLE", 128},
    {"Memo", "Memo/Hyperlink", 130},
    {"Replicatie-id", "Replication ID", 72},
    {"Decimaal", "Numeric", 131},
};

// mdb-schema's word for the complex columns (attachments, multi-valued fields, version history).
const std::string complexKind = "Unknown_0012";

const TypeNames* typeByWord(const std::string& word)
{
    for (const auto& t : typeNames)
        if (word == t.ours) return &t;
    return nullptr;
}

// One index as both sides can describe it: "PRIMARY (cols)", "UNIQUE name (cols)" or "INDEX name (cols)".
std::multiset<std::string> mdbSchemaIndexes(const std::string& schema)
{
    static const std::regex index(R"(^ALTER TABLE `.*` ADD (UNIQUE INDEX|INDEX|PRIMARY KEY) (`(.*)` )?\((.*)\);$)");
    static const std::regex quote("`");
    std::multiset<std::string> result;
    std::istringstream in(schema);
    std::smatch m;
    for (std::string line; std::getline(in, line);) {
        if (!std::regex_match(line, m, index)) continue;
        const std::string kind = m[1] == "PRIMARY KEY" ? "PRIMARY" : m[1] == "INDEX" ? "INDEX" : "UNIQUE";
        const std::string name = kind == "PRIMARY" ? "" : " " + m[3].str();
        std::string columns = std::regex_replace(m[4].str(), quote, "");
        columns.erase(std::remove(columns.begin(), columns.end(), ' '), columns.end());
        result.insert(kind + name + " (" + columns + ")");
    }
    return result;
}

std::multiset<std::string> querimoIndexes(const std::string& listing)
{
    // mdb-schema writes a primary key as a constraint, which has no direction.
    static const std::regex descending("DESC");
    std::multiset<std::string> result;
    for (const CsvRow& row : parseTabLines(listing)) {
        EXPECT_EQ(row.size(), 3u) << "--indexes line has " << row.size() << " fields";
        if (row.size() != 3) continue;
        const std::string flags = "," + row[2] + ",";
        if (flags.find(",foreign,") != std::string::npos) continue;  // mdb-schema leaves these out
        std::string columns = row[1];
        columns.erase(std::remove(columns.begin(), columns.end(), ' '), columns.end());
        if (flags.find(",primary,") != std::string::npos)
            result.insert("PRIMARY (" + std::regex_replace(columns, descending, "") + ")");
        else
            result.insert((flags.find(",unique,") != std::string::npos ? "UNIQUE " : "INDEX ") + row[0] + " (" + columns
                          + ")");
    }
    return result;
}

// Tables where mdb-schema's index statements are known to be wrong, each with the reason.
struct KnownIndexDifference {
    const char* file;
    const char* table;
    const char* reason;
};
const std::vector<KnownIndexDifference> knownIndexDifferences = {
    {"delColTestV2000.mdb", "Table1",
     "mdbtools does not find the column of index id2 after deleted columns and lists it without columns"},
    {"testIndexPropertiesV2000.mdb", "TableIgnoreNulls2",
     "mdbtools lists both indexes without columns (it cannot find the columns by their internal numbers)"},
    {"testIndexPropertiesV2000.mdb", "TableUnique1_temp",
     "mdbtools lists both indexes without columns and DataIndex as not unique"},
    {"testIndexPropertiesV2000.mdb", "TableUnique2_temp",
     "mdbtools lists both indexes without columns and DataIndex as not unique"},
};

const KnownIndexDifference* knownIndexDifference(const std::string& file, const std::string& table)
{
    for (const auto& k : knownIndexDifferences)
        if (file == k.file && table == k.table) return &k;
    return nullptr;
}

}  // namespace

TEST(Corpus, IsPresent)
{
    QUERIMO_REQUIRE_CORPUS();
    EXPECT_FALSE(corpusFiles().empty());
}

TEST(Corpus, AccdbIsPresent)
{
    if (accdbCorpusFiles().empty()) {
        if (corpusRequired()) GTEST_FAIL() << corpusMissing("testV2007.accdb");
        GTEST_SKIP() << corpusMissing("testV2007.accdb");
    }
}

class SchemaMatchesMdbtools : public testing::TestWithParam<CorpusFile> {};

TEST_P(SchemaMatchesMdbtools, Tables)
{
    QUERIMO_REQUIRE_TOOLS();
    const auto& path = GetParam().path;
    const auto tables = querimoTables(path);
    std::string user, all, why;
    ASSERT_TRUE(runMdbTool({"mdb-tables", "-1", path.string()}, user, why)) << why;
    ASSERT_TRUE(runMdbTool({"mdb-tables", "-S", "-1", path.string()}, all, why)) << why;
    std::set<std::string> userTables = lines(user);
    std::set<std::string> systemTables;
    for (const auto& name : lines(all))
        if (!userTables.count(name)) systemTables.insert(name);
    // mdbtools goes by the system flag alone and lists MSysCompactError (flags 0) as a user table; Access
    // hides every MSys table, and so do we.
    std::erase_if(userTables, [&](const std::string& name) {
        return name.starts_with("MSys") && systemTables.insert(name).second;
    });
    EXPECT_EQ(namesOfType(tables, "TABLE"), userTables);
    EXPECT_EQ(namesOfType(tables, "SYSTEM TABLE"), systemTables);
}

TEST_P(SchemaMatchesMdbtools, Columns)
{
    QUERIMO_REQUIRE_TOOLS();
    const auto& path = GetParam().path;
    for (const std::string& table : tablesToCompare(querimoTables(path))) {
        SCOPED_TRACE(path.filename().string() + ": " + table);
        std::string schema, why;
        ASSERT_TRUE(runMdbTool({"mdb-schema", "--no-indexes", "--no-relations", "-T", table, path.string(), "access"},
                               schema, why))
            << why;
        // Access keeps the version history behind an append-only memo out of sight, and so do we; the
        // columns after it keep their positions.
        std::vector<std::pair<std::string, std::string>> theirs;
        std::vector<int> positions;
        const auto all = mdbSchemaColumns(schema);
        for (std::size_t i = 0; i < all.size(); ++i) {
            if (all[i].second == complexKind && all[i].first.starts_with("VersionHistory_")) continue;
            theirs.push_back(all[i]);
            positions.push_back(static_cast<int>(i + 1));
        }
        const auto ours = querimoColumns(path, table);
        ASSERT_EQ(ours.size(), theirs.size()) << schema;
        for (std::size_t i = 0; i < ours.size(); ++i) {
            EXPECT_EQ(ours[i].name, theirs[i].first);
            EXPECT_EQ(ours[i].ordinal, positions[i]) << ours[i].name;
            if (theirs[i].second == complexKind) continue;  // complex columns have tests of their own
            if (theirs[i].second.starts_with("Unknown_")) {
                // A kind neither side knows reads as its bytes.
                EXPECT_EQ(ours[i].typeWord, "Binair") << ours[i].name;
                continue;
            }
            const TypeNames* type = typeByWord(ours[i].typeWord);
            ASSERT_NE(type, nullptr) << ours[i].name << ": unknown type word " << ours[i].typeWord;
            EXPECT_EQ(type->mdbSchema, theirs[i].second) << ours[i].name;
            EXPECT_EQ(type->ado, ours[i].dataType) << ours[i].name;
        }
    }
}

TEST_P(SchemaMatchesMdbtools, Indexes)
{
    QUERIMO_REQUIRE_TOOLS();
    const auto& path = GetParam().path;
    const std::string file = path.filename().string();
    for (const std::string& table : tablesToCompare(querimoTables(path))) {
        SCOPED_TRACE(file + ": " + table);
        if (const KnownIndexDifference* known = knownIndexDifference(file, table)) {
            std::cout << "indexes not compared, " << file << " " << table << ": " << known->reason << "\n";
            continue;
        }
        std::string schema, why;
        ASSERT_TRUE(
            runMdbTool({"mdb-schema", "--indexes", "--no-relations", "-T", table, path.string(), "mysql"}, schema, why))
            << why;
        EXPECT_EQ(querimoIndexes(runQuerimoSql({path.string(), "--indexes", table})), mdbSchemaIndexes(schema));
    }
}

GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(SchemaMatchesMdbtools);
INSTANTIATE_TEST_SUITE_P(Corpus, SchemaMatchesMdbtools, testing::ValuesIn(corpusParams()), corpusParamName);
INSTANTIATE_TEST_SUITE_P(Accdb, SchemaMatchesMdbtools, testing::ValuesIn(accdbCorpusParams()), corpusParamName);

}  // namespace querimo::test
