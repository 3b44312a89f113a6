#include "corpus/CorpusCase.h"

#include <cctype>
#include <cstdlib>

#include "support/Corpus.h"

namespace querimo::test {

std::vector<CorpusFile> corpusParams()
{
    std::vector<CorpusFile> params;
    for (const auto& path : corpusFiles()) params.push_back({path});
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
        EXPECT_EQ(row.size(), 4u) << "--columns line has " << row.size() << " fields";
        if (row.size() == 4) columns.push_back({row[0], std::atoi(row[1].c_str()), row[2], std::atoi(row[3].c_str())});
    }
    return columns;
}

}  // namespace querimo::test
