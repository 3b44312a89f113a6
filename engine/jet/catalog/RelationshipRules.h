#pragma once
#include <functional>
#include <string>
#include <vector>

#include "core/Value.h"
#include "jet/format/Format.h"
#include "jet/pages/PageFile.h"
#include "jet/tables/IndexPages.h"
#include "jet/tables/TableLayout.h"

namespace querimo::jet {

// The rows of one referring table that hold a key of the referenced row, and what the relationship does to
// them when that key goes or changes.
struct Referrers {
    const TableLayout* table = nullptr;  // the referring table
    std::string relationship;            // the foreign-key index's name, which Access gives the relationship
    std::vector<std::size_t> columns;    // positions of the referring columns, in key order
    std::vector<RowId> rows;
    std::vector<Value> newKey;  // the key after an update, in key order; empty for a delete
    std::uint8_t updateAction = 0;
    std::uint8_t deleteAction = 0;
};

// Referential integrity of enforced relationships. Access keeps such a relationship as a pair of index
// entries that name each other: the foreign key on the referring table and a hidden entry on the referenced
// table's key; both hold the relationship's actions.
class RelationshipRules {
public:
    using LayoutAt = std::function<const TableLayout&(std::uint32_t definitionPage)>;
    RelationshipRules(PageFile& file, const Format& format, LayoutAt layoutAt);

    // A row's foreign keys must each name an existing row of the referenced table; keys holding a Null and
    // keys that did not change (`before`) pass.
    void checkReferences(const TableLayout& table, const std::vector<Value>& values, const std::vector<Value>* before);
    // For each relationship in which `table` is referenced and the row's key goes (`after` null) or changes:
    // the rows of the referring table that hold the old key (none listed for keys holding a Null).
    std::vector<Referrers> referrers(const TableLayout& table, const std::vector<Value>& old,
                                     const std::vector<Value>* after);

private:
    std::vector<IndexEntry> entries(const TableLayout& other, std::uint32_t logicalNumber, const TableLayout& from,
                                    const IndexDef& index, const std::vector<Value>& values);

    PageFile& file_;
    const Format& format_;
    LayoutAt layoutAt_;
};

// The refusal of a change to a row of `referenced` that rows of `referring` still refer to.
DbError stillReferenced(const Referrers& referrers, const std::string& referenced);

}  // namespace querimo::jet
