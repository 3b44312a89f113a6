#pragma once
#include <functional>
#include <vector>

#include "core/Value.h"
#include "jet/format/Format.h"
#include "jet/pages/PageFile.h"
#include "jet/tables/TableLayout.h"

namespace querimo::jet {

// Referential integrity of enforced relationships. Access keeps such a relationship as a pair of index
// entries that name each other: the foreign key on the referring table and a hidden entry on the referenced
// table's key. Cascading is not done: a change that would need it is refused.
class RelationshipRules {
public:
    using LayoutAt = std::function<const TableLayout&(std::uint32_t definitionPage)>;
    RelationshipRules(PageFile& file, const Format& format, LayoutAt layoutAt);

    // A row's foreign keys must each name an existing row of the referenced table; keys holding a Null and
    // keys that did not change (`before`) pass.
    void checkReferences(const TableLayout& table, const std::vector<Value>& values, const std::vector<Value>* before);
    // A referenced row may not go, nor change its key (`after`), while rows of another table refer to it.
    void checkNotReferenced(const TableLayout& table, const std::vector<Value>& old, const std::vector<Value>* after);

private:
    bool holds(const TableLayout& other, std::uint32_t logicalNumber, const TableLayout& from, const IndexDef& index,
               const std::vector<Value>& values);

    PageFile& file_;
    const Format& format_;
    LayoutAt layoutAt_;
};

}  // namespace querimo::jet
