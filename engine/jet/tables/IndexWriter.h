#pragma once
#include <functional>
#include <vector>

#include "core/Value.h"
#include "jet/format/Format.h"
#include "jet/pages/PageAllocator.h"
#include "jet/pages/PageFile.h"
#include "jet/tables/IndexTree.h"
#include "jet/tables/TableLayout.h"

namespace querimo::jet {

// Keeps a table's indexes in step with its rows: every real index of the table gets the row's key, in key
// order, on the index pages, splitting pages and growing the tree as Access does. Works inside a statement:
// a DbError may leave changed pages behind, which the statement's rollback discards.
class IndexWriter {
public:
    IndexWriter(PageFile& file, const Format& format, PageAllocator& pages);

    // Before a row is stored: a duplicate key in a unique index (the row `except` aside, for updates), Null in a
    // primary key, or a text key we cannot encode raise a DbError in Dutch that names the index and the table.
    void check(const TableLayout& table, const std::vector<Value>& values, const RowId* except = nullptr);
    // values: the row in the table's ordinal order. Root pages stay where they are, so the definition keeps them.
    void insert(TableLayout& table, const std::vector<Value>& values, RowId row);
    void remove(TableLayout& table, const std::vector<Value>& values, RowId row);
    // An updated row: check, remove and insert for the indexes whose key columns changed, and only those, so
    // an update that leaves a key alone never needs to encode it again.
    void update(TableLayout& table, const std::vector<Value>& before, const std::vector<Value>& after, RowId row);
    // Hands the next row (values in ordinal order) and its id; false after the last.
    using RowSource = std::function<bool(std::vector<Value>&, RowId&)>;
    // A new index filled at once from every row: `table` holds only that index, its root made by createEmpty.
    // A row that breaks the index's rules (as check() has them) raises the same DbError; the keys are sorted
    // and the tree laid out from the leaves up, each page once. checkStop runs before each row and each page.
    void build(const TableLayout& table, const RowSource& nextRow, const std::function<void()>& checkStop);
    // A new, empty index: its root page. The caller records it in the table definition.
    std::uint32_t createEmpty(const TableLayout& table);

private:
    // `before`, when given, leaves out the indexes whose key columns hold the same values there.
    void checkRules(const TableLayout& table, const std::vector<Value>& values, const RowId* except,
                    const std::vector<Value>* before = nullptr);
    void change(const TableLayout& table, const std::vector<Value>& values, RowId row, bool adding,
                const std::vector<Value>* before = nullptr);
    IndexPageSource pageSource(const RealIndexLayout& real);

    PageFile& file_;
    const Format& format_;
    PageAllocator& pages_;
};

}  // namespace querimo::jet
