#include "corpus/CorpusCase.h"

#include <cctype>
#include <cstdlib>
#include <regex>
#include <sstream>

#include "support/Corpus.h"

namespace querimo::test {

std::vector<CorpusFile> corpusParams()
{
    std::vector<CorpusFile> params;
    for (const auto& path : corpusFiles()) params.push_back({path});
    return params;
}

std::vector<CorpusFile> accdbCorpusParams()
{
    std::vector<CorpusFile> params;
    for (const auto& path : accdbCorpusFiles()) params.push_back({path});
    return params;
}

std::string corpusParamName(const testing::TestParamInfo<CorpusFile>& info)
{
    std::string name;
    for (char c : info.param.path.stem().string())
        if (std::isalnum(static_cast<unsigned char>(c))) name += c;
    return name;
}

std::string runQuerimoSql(const std::vector<std::string>& args)
{
    std::vector<std::string> argv{querimoSqlPath()};
    argv.insert(argv.end(), args.begin(), args.end());
    ProcessResult r = runProcess(argv);
    std::string command;
    for (const auto& a : args) command += " " + a;
    EXPECT_EQ(r.exitCode, 0) << "querimo-sql" << command << " failed: " << r.err;
    return r.exitCode == 0 ? r.out : std::string();
}

bool runMdbTool(const std::vector<std::string>& argv, std::string& out, std::string& why)
{
    ProcessResult r = runProcess(argv);
    out = std::move(r.out);
    why = r.err;
    return r.exitCode == 0;
}

// "\t[name]\t\t\tType (size) NOT NULL, " lines of mdb-schema's CREATE TABLE.
std::vector<std::pair<std::string, std::string>> mdbSchemaColumns(const std::string& schema)
{
    static const std::regex column(
        R"(^\t\[(.*)\]\t+([A-Za-z/ ]*?[A-Za-z]|Unknown_[0-9A-F]{4})( \([0-9, ]+\))?( NOT NULL)?,? ?$)");
    std::vector<std::pair<std::string, std::string>> columns;
    std::istringstream in(schema);
    std::smatch m;
    for (std::string line; std::getline(in, line);)
        if (std::regex_match(line, m, column)) columns.emplace_back(m[1], m[2]);
    return columns;
}

std::vector<TableEntry> querimoTables(const std::filesystem::path& file)
{
    std::vector<TableEntry> tables;
    for (const CsvRow& row : parseTabLines(runQuerimoSql({file.string(), "--tables"}))) {
        EXPECT_EQ(row.size(), 2u) << "--tables line has " << row.size() << " fields";
        if (row.size() == 2) tables.push_back({row[0], row[1]});
    }
    return tables;
}

std::vector<ColumnEntry> querimoColumns(const std::filesystem::path& file, const std::string& table)
{
    std::vector<ColumnEntry> columns;
    for (const CsvRow& row : parseTabLines(runQuerimoSql({file.string(), "--columns", table}))) {
        EXPECT_EQ(row.size(), 5u) << "--columns line has " << row.size() << " fields";
        if (row.size() == 5) columns.push_back({row[0], std::atoi(row[1].c_str()), row[2], std::atoi(row[3].c_str())});
    }
    return columns;
}

}  // namespace querimo::test
