#include <gtest/gtest.h>

#include "core/Error.h"
#include "engine/writer_file_pages.h"
#include "jet/Database.h"
#include "jet/rows/RowEncoder.h"
#include "support/Corpus.h"
#include "writer_rows_support.h"

using namespace querimo;
using namespace querimo::jet;
using writertest::hex;

namespace {

// The Memo and OLE Object columns that hold a value.
std::vector<std::size_t> longColumns(const TableDef& def, const std::vector<Value>& row)
{
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < def.columns.size(); ++i)
        if ((def.columns[i].type == ColumnType::Memo || def.columns[i].type == ColumnType::OleObject)
            && !row[i].isNull())
            out.push_back(i);
    return out;
}

// Bytes of the fixed area that belong to no present column: Access leaves there whatever was there before.
void ignoreUnusedFixedBytes(const TableLayout& layout, const Format& format, const std::vector<Value>& values,
                            const std::string& original, std::string& encoded)
{
    std::vector<bool> used(encoded.size(), true);
    std::size_t fixedEnd = format.rowCountSize;
    for (std::size_t i = 0; i < layout.def.columns.size(); ++i)
        if (layout.def.columns[i].fixed && layout.def.columns[i].type != ColumnType::Boolean)
            fixedEnd =
                std::max(fixedEnd, format.rowCountSize + layout.storage[i].fixedOffset + layout.storage[i].length);
    for (std::size_t at = format.rowCountSize; at < fixedEnd && at < used.size(); ++at) used[at] = false;
    for (std::size_t i = 0; i < layout.def.columns.size(); ++i) {
        const ColumnDef& column = layout.def.columns[i];
        if (!column.fixed || column.type == ColumnType::Boolean || values[i].isNull()) continue;
        const std::size_t at = format.rowCountSize + static_cast<std::size_t>(layout.storage[i].fixedOffset);
        for (std::size_t k = 0; k < static_cast<std::size_t>(layout.storage[i].length); ++k) used[at + k] = true;
    }
    for (std::size_t at = 0; at < used.size() && at < original.size(); ++at)
        if (!used[at]) encoded[at] = original[at];
}

// A row updated in place keeps its old size: zero bytes between the data and the offset table.
bool sameButPadded(const std::string& original, const std::string& encoded)
{
    if (original.size() <= encoded.size()) return false;
    const std::string zeros(original.size() - encoded.size(), '\0');
    for (std::size_t at = 0; at <= encoded.size(); ++at)
        if (original.compare(0, at, encoded, 0, at) == 0 && original.compare(at, zeros.size(), zeros) == 0
            && original.compare(at + zeros.size(), std::string::npos, encoded, at) == 0)
            return true;
    return false;
}

// Encodes the row with each long value where the stored row has it: inside the row, or on other pages
// behind a 12-byte reference copied from the stored row. Columns are settled in row order, so the place
// of each next reference is known once the ones before it are.
std::string withStoredLongValues(const RowEncoder& encoder, const TableLayout& layout, const std::vector<Value>& values,
                                 const std::string& original)
{
    std::vector<std::size_t> columns = longColumns(layout.def, values);
    std::sort(columns.begin(), columns.end(), [&](std::size_t a, std::size_t b) {
        return layout.storage[a].variableIndex < layout.storage[b].variableIndex;
    });
    std::vector<std::optional<std::string>> stored(layout.def.columns.size());
    const std::string marker = "\xA5\x5A\xA5\x5A\xA5\x5A\xA5\x5A\xA5\x5A\xA5\x5A";
    for (std::size_t i : columns) stored[i] = marker;
    for (std::size_t i : columns) {
        const std::string encoded = encoder.encode(values, &stored);
        const std::size_t at = encoded.find(marker);
        if (at == std::string::npos || at + marker.size() > original.size()) break;
        if (static_cast<unsigned char>(original[at + 3]) & 0x80)
            stored[i].reset();  // kept inside the row
        else
            stored[i] = original.substr(at, marker.size());
    }
    return encoder.encode(values, &stored);
}

bool hasDeletedColumns(const TableLayout& layout)
{
    return layout.maxColumns > static_cast<int>(layout.def.columns.size());
}

struct Outcome {
    int same = 0;
    int different = 0;
    int longValues = 0;      // of which rows with Memo/OLE values on other pages
    int deletedColumns = 0;  // rows of tables with deleted columns, only round-tripped
};

// Every live row of every user table: decode it, encode the values again, compare the bytes.
Outcome reencodeFile(const std::string& name)
{
    Outcome outcome;
    const auto path = test::corpusFile(name);
    auto db = test::openFile(path.string());
    writertest::FilePages file(path);
    const Format& format = file.format();
    for (const CatalogEntry& entry : db->catalog()) {
        if (entry.kind != ObjectKind::Table) continue;
        const TableLayout layout = file.table(db->table(entry.name).definitionPage, entry.name);
        const RowDecoder decoder(file.pages(), format, layout);
        const RowEncoder encoder(format, layout);
        for (std::uint32_t n = 1; n < file.pages().pageCount(); ++n) {
            const PageRef page = file.pages().page(n);
            const ByteView view(page->data(), page->size());
            if (view.u8(0) != dataPageType || view.u32(format.dataOwnerOffset) != layout.def.definitionPage) continue;
            for (int r = 0; r < dataRowCount(view, format); ++r) {
                const RowSlot slot = dataRow(view, format, r);
                if (slot.deleted || slot.overflow) continue;
                std::vector<Value> values;
                decoder.decode(slot.bytes, values);
                const std::string original = slot.bytes.bytes(0, slot.bytes.size());
                std::string encoded;
                bool external = false;
                try {
                    encoded = encoder.encode(values);
                } catch (const DbError&) {
                    external = true;  // long values too big for the row
                }
                if (external || (encoded != original && !longColumns(layout.def, values).empty())) {
                    encoded = withStoredLongValues(encoder, layout, values, original);
                    ++outcome.longValues;
                }
                std::vector<Value> again;
                decoder.decode(ByteView(reinterpret_cast<const std::uint8_t*>(encoded.data()), encoded.size()), again);
                EXPECT_EQ(again, values) << name << " / " << entry.name << " page " << n << " row " << r
                                         << ": round trip";
                ignoreUnusedFixedBytes(layout, format, values, original, encoded);
                if (hasDeletedColumns(layout)) {
                    ++outcome.deletedColumns;  // rows from before the deletion still hold the old data
                } else if (encoded == original || sameButPadded(original, encoded)) {
                    ++outcome.same;
                } else {
                    ++outcome.different;
                    ADD_FAILURE() << name << " / " << entry.name << " page " << n << " row " << r << "\n  stored  "
                                  << hex(original) << "\n  encoded " << hex(encoded);
                }
            }
        }
    }
    return outcome;
}

TEST(CorpusRows, ReencodedRowsEqualStoredRows)
{
    const char* const files[] = {"testV1997.mdb",          "test2V1997.mdb",          "indexTestV1997.mdb",
                                 "compIndexTestV1997.mdb", "testIndexCodesV1997.mdb", "delColTestV1997.mdb",
                                 "overflowTestV1997.mdb",  "northwind-jet4.mdb",      "testV2000.mdb",
                                 "test2V2000.mdb",         "indexTestV2000.mdb",      "compIndexTestV2000.mdb",
                                 "delColTestV2000.mdb",    "overflowTestV2000.mdb",   "fixedNumericTestV2000.mdb",
                                 "fixedTextTestV2000.mdb", "testRefGlobalV2000.mdb"};
    for (const char* name : files) QUERIMO_REQUIRE_CORPUS_FILE(name);
    for (const char* name : files) {
        const Outcome outcome = reencodeFile(name);
        EXPECT_GT(outcome.same + outcome.deletedColumns, 0) << name;
        std::cout << name << ": " << outcome.same << " rows identical, " << outcome.longValues
                  << " with long values elsewhere, " << outcome.deletedColumns << " round-tripped only\n";
    }
}

}  // namespace
