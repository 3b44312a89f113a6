// Northwind as Access made it: "OrdersOrder Details" cascades deletes, "CustomersOrders" cascades updates, the
// others refuse; the actions Access stored in the index entries are the ones MSysRelationships declares.
#include "engine/writer_rows_cascade_support.h"
#include "jet/format/TableDefinitionLayout.h"

namespace querimo::test {
namespace {

std::size_t exportedWith(const std::string& path, const std::string& table, std::size_t column,
                         const std::string& value)
{
    std::size_t count = 0;
    for (const CsvRow& row : exported(path, table)) count += row.at(column) == value;
    return count;
}

TEST(NorthwindCascades, OrderLinesGoWithTheirOrderAndCustomerNumbersFollow)
{
    QUERIMO_REQUIRE_CORPUS_FILE("northwind-jet4.mdb");
    ScratchDir dir;
    const std::string path = dir.copyOf("northwind-jet4.mdb");

    EXPECT_EQ(affected(path, "DELETE FROM Orders WHERE OrderID = 10248"), 1);
    EXPECT_EQ(exportedWith(path, "Order Details", 0, "10248"), 0u);
    EXPECT_EQ(exported(path, "Order Details").size(), 2155u - 3);
    EXPECT_EQ(exported(path, "Orders").size(), 830u - 1);

    EXPECT_EQ(affected(path, "UPDATE Customers SET CustomerID = 'ALFKZ' WHERE CustomerID = 'ALFKI'"), 1);
    EXPECT_EQ(exportedWith(path, "Orders", 1, "ALFKI"), 0u);
    EXPECT_EQ(exportedWith(path, "Orders", 1, "ALFKZ"), 6u);
    for (const char* table : {"Customers", "Orders", "Order Details"}) expectIndexesMatchRows(path, table);

    // No cascading deletes from Customers, nor any action from Products.
    expectRefused(path, "DELETE FROM Customers WHERE CustomerID = 'ALFKZ'", {"'Orders'", "'CustomersOrders'"});
    expectRefused(path, "DELETE FROM Products WHERE ProductID = 11", {"'Order Details'", "'ProductsOrder Details'"});
}

// Both index entries of every relationship hold the actions its grbit declares.
TEST(NorthwindCascades, IndexEntriesHoldTheDeclaredActions)
{
    for (const char* file : {"northwind-jet4.mdb", "indexTestV1997.mdb", "indexTestV2000.mdb"})
        QUERIMO_REQUIRE_CORPUS_FILE(file);
    for (const char* file : {"northwind-jet4.mdb", "indexTestV1997.mdb", "indexTestV2000.mdb"}) {
        SCOPED_TRACE(file);
        const std::string path = corpusFile(file).string();
        writertest::FilePages pages(path);
        int checked = 0;
        for (const CsvRow& row : exported(path, "MSysRelationships")) {
            const std::uint32_t grbit = static_cast<std::uint32_t>(std::stoul(row.at(1)));
            const jet::TableLayout referring = pages.table(row.at(4));
            for (std::size_t i = 0; i < referring.def.indexes.size(); ++i) {
                if (referring.def.indexes[i].name != row.at(0)) continue;
                const jet::LogicalIndexLayout& forward = referring.logicalIndexes[i];
                const jet::TableLayout referenced = pages.table(row.at(6));
                for (const jet::LogicalIndexLayout& back : referenced.logicalIndexes) {
                    if (back.number != forward.relatedIndex) continue;
                    for (const jet::LogicalIndexLayout* side : {&forward, &back}) {
                        EXPECT_EQ(side->updateAction, (grbit & 0x100) ? jet::cascadeUpdatesAction : 0) << row.at(0);
                        EXPECT_EQ(side->deleteAction, (grbit & 0x1000)   ? jet::cascadeDeletesAction
                                                      : (grbit & 0x2000) ? jet::cascadeNullAction
                                                                         : 0)
                            << row.at(0);
                    }
                    ++checked;
                }
            }
        }
        EXPECT_GE(checked, 2);
    }
}

}  // namespace
}  // namespace querimo::test
