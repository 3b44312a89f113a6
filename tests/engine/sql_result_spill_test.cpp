// Results beyond the memory budget go on in a temporary file: every cell reads back as it went in, in any
// order, through the record set as well, and the file is gone with the result.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "ado/Command.h"
#include "ado/Connection.h"
#include "jet_test_files.h"
#include "sql/RowBuffer.h"
#include "sql/Sql.h"

namespace querimo {
namespace {

using Tag = sql::RowBuffer::Tag;

std::size_t openFiles()
{
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++n;
    return n;
}

// Cell (r, c) of the made rows: every kind, texts from empty to longer than one read of the file.
sql::RowBuffer::Cell expected(std::size_t r, std::size_t c, std::string& text)
{
    sql::RowBuffer::Cell cell;
    switch ((r + c) % 5) {
    case 0: break;
    case 1:
        cell.tag = Tag::Integer;
        cell.integer = static_cast<std::int64_t>(r * 1000003 + c) - 5000;
        break;
    case 2:
        cell.tag = Tag::Real;
        cell.real = static_cast<double>(r) / 7.0 + static_cast<double>(c);
        break;
    default:
        cell.tag = (r + c) % 5 == 3 ? Tag::Text : Tag::Blob;
        text.assign(r % 97 == 0 ? 70000 + r : (r * 31 + c) % 40, static_cast<char>('a' + (r + c) % 26));
        cell.bytes = text;
        break;
    }
    return cell;
}

void expectCell(const sql::RowBuffer& rows, std::size_t r, std::size_t c)
{
    std::string text;
    const sql::RowBuffer::Cell want = expected(r, c, text);
    const sql::RowBuffer::Cell got = rows.cell(r, c);
    ASSERT_EQ(got.tag, want.tag) << r << "," << c;
    EXPECT_EQ(got.integer, want.integer) << r << "," << c;
    EXPECT_EQ(got.real, want.real) << r << "," << c;
    EXPECT_EQ(got.bytes, want.bytes) << r << "," << c;
}

TEST(ResultSpill, CellsReadBackFromTheFileInAnyOrderAndTheFileGoesWithTheRows)
{
    const std::size_t filesBefore = openFiles();
    constexpr std::size_t rowCount = 5000, columns = 4;
    {
        sql::RowBuffer rows(columns, 16 << 10);
        for (std::size_t r = 0; r < rowCount; ++r) {
            rows.beginRow();
            for (std::size_t c = 0; c < columns; ++c) {
                std::string text;
                const auto cell = expected(r, c, text);
                if (cell.tag == Tag::Null) rows.addNull();
                if (cell.tag == Tag::Integer) rows.addInteger(cell.integer);
                if (cell.tag == Tag::Real) rows.addReal(cell.real);
                if (cell.tag == Tag::Text || cell.tag == Tag::Blob) rows.addBytes(cell.tag, cell.bytes);
            }
        }
        EXPECT_TRUE(rows.spilled());
        EXPECT_EQ(openFiles(), filesBefore + 1);
        ASSERT_EQ(rows.rowCount(), rowCount);
        for (std::size_t r = 0; r < rowCount; ++r)
            for (std::size_t c = 0; c < columns; ++c) expectCell(rows, r, c);
        std::mt19937 random(5);
        for (int i = 0; i < 20000; ++i) expectCell(rows, random() % rowCount, random() % columns);
        for (std::size_t r = rowCount; r-- > 0;) expectCell(rows, r, r % columns);
        const sql::RowBuffer moved = std::move(rows);
        expectCell(moved, 97, 3);
    }
    EXPECT_EQ(openFiles(), filesBefore);
}

// Millions of rows hold no more memory than the budget allows: not their bytes, nor an offset for each.
TEST(ResultSpill, ManyRowsStayWithinTheBudget)
{
    constexpr std::size_t budget = 1 << 20, rowCount = 3'000'000;
    sql::RowBuffer rows(2, budget);
    std::size_t most = 0;
    for (std::size_t r = 0; r < rowCount; ++r) {
        rows.beginRow();
        rows.addInteger(static_cast<std::int64_t>(r));
        r % 1000 == 0 ? rows.addBytes(Tag::Text, std::string(r % 7000, 'x')) : rows.addNull();
        most = std::max(most, rows.memoryHeld());
    }
    EXPECT_LE(most, 2 * budget);
    ASSERT_EQ(rows.rowCount(), rowCount);
    for (const std::size_t r : {rowCount - 1, std::size_t{0}, std::size_t{1'234'567}, std::size_t{64'000}, rowCount / 2})
        EXPECT_EQ(rows.cell(r, 0).integer, static_cast<std::int64_t>(r));
    EXPECT_EQ(rows.cell(64'000, 1).bytes.size(), std::size_t{64'000 % 7000});
}

// The budget for the test's length, and back afterwards.
class SmallBudget {
public:
    explicit SmallBudget(std::size_t bytes) : before_(sql::resultMemoryBudget()) { sql::setResultMemoryBudget(bytes); }
    ~SmallBudget() { sql::setResultMemoryBudget(before_); }

private:
    std::size_t before_;
};

std::vector<std::vector<Value>> allRows(ado::Recordset& rs)
{
    std::vector<std::vector<Value>> rows;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        auto fields = rs.GetFields();
        std::vector<Value> row;
        for (std::size_t c = 0; c < fields.Count(); ++c) row.push_back(fields.Item(c).GetValue());
        rows.push_back(std::move(row));
    }
    return rows;
}

TEST(ResultSpill, RecordSetsAndActionsAreTheSameBeyondTheBudget)
{
    test::ScratchDir scratch;
    ado::Connection connection;
    connection.Provider = "Microsoft.Jet.OLEDB.4.0";
    connection.GetProperties()("Data Source") = scratch.sample(jet::Version::Jet4);
    connection.Open();
    ado::Command command;
    command.ActiveConnection = &connection;
    const std::string query = "SELECT r.*, k.Naam, k.Adres, b.Besteldatum FROM (Bestelregel AS r INNER JOIN Bestelling "
                              "AS b ON r.BestelNr = b.BestelNr) INNER JOIN Klant AS k ON b.KlantNr = k.KlantNr "
                              "ORDER BY k.Naam, r.BestelNr DESC, r.Regel";
    command.SetCommandText(query);
    const auto inMemory = command.Execute(nullptr);
    const std::size_t filesBefore = openFiles();
    {
        const SmallBudget budget(2048);
        const auto spilled = command.Execute(nullptr);
        EXPECT_EQ(openFiles(), filesBefore + 1);
        ASSERT_EQ(spilled->RecordCount(), 284u);
        ASSERT_EQ(spilled->RecordCount(), inMemory->RecordCount());
        EXPECT_EQ(allRows(*spilled), allRows(*inMemory));
        for (std::size_t r : {283u, 0u, 150u, 7u, 282u})
            for (std::size_t c = 0; c < spilled->fieldInfo().size(); ++c)
                EXPECT_EQ(spilled->valueAt(r, c), inMemory->valueAt(r, c));
        spilled->Move(200);
        EXPECT_EQ(spilled->GetFields().Item("Naam").GetValue(), inMemory->valueAt(200, 5));
        spilled->Close();
        EXPECT_EQ(openFiles(), filesBefore);
        EXPECT_THROW(spilled->valueAt(0, 0), DbError);

        // An action reads its rows the same way.
        long affected = 0;
        command.SetCommandText(
            "SELECT r.BestelNr, r.Regel, k.Naam INTO Kopie FROM (Bestelregel AS r INNER JOIN Bestelling AS b ON "
            "r.BestelNr = b.BestelNr) INNER JOIN Klant AS k ON b.KlantNr = k.KlantNr");
        command.Execute(&affected);
        EXPECT_EQ(affected, 284);
    }
    EXPECT_EQ(openFiles(), filesBefore);
    command.SetCommandText("SELECT Count(*) FROM Kopie AS c INNER JOIN Klant AS k ON c.Naam = k.Naam");
    EXPECT_EQ(command.Execute(nullptr)->GetFields().Item(std::size_t{0}).GetValue().integer, 284);
}

}  // namespace
}  // namespace querimo
