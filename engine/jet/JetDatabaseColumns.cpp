// Scans and seeks that decode only the columns a reader asks for.
#include <algorithm>

#include "jet/JetDatabase.h"
#include "jet/pages/UsageMap.h"
#include "jet/rows/TableScanner.h"
#include "jet/tables/TableDefinition.h"

namespace querimo::jet {
namespace {

// Reads rows through the table's layout reduced to some columns and puts each value back at its column's
// position in the full row.
class ColumnScan : public TableScan {
public:
    ColumnScan(std::shared_ptr<const TableLayout> reduced, std::vector<std::size_t> positions, std::size_t width,
               const std::function<std::unique_ptr<TableScan>(const TableLayout&)>& reader)
        : layout_(std::move(reduced)), positions_(std::move(positions)), width_(width), reader_(reader(*layout_))
    {}

    bool next(std::vector<Value>& row) override
    {
        if (!reader_ || !reader_->next(values_)) return false;
        if (row.size() != width_) row.assign(width_, Value::null());
        for (std::size_t i = 0; i < positions_.size(); ++i) row[positions_[i]] = std::move(values_[i]);
        return true;
    }

    RowId rowId() const override { return reader_->rowId(); }
    bool seekAgain(const KeyRange& range) override { return reader_ && reader_->seekAgain(range); }
    bool empty() const { return !reader_; }

private:
    std::shared_ptr<const TableLayout> layout_;  // before reader_, which reads through it
    std::vector<std::size_t> positions_;
    std::size_t width_;
    std::unique_ptr<TableScan> reader_;
    std::vector<Value> values_;
};

}  // namespace

std::unique_ptr<TableScan> JetDatabase::scan(const TableDef& table, const std::vector<std::size_t>& columns)
{
    return columnsOnly(
        table, columns,
        [this](const TableLayout& reduced) -> std::unique_ptr<TableScan> {
            return std::make_unique<TableScanner>(file_, *format_, reduced,
                                                  usageMapPages(file_, *format_, reduced.usedPagesMap), stopSignal());
        },
        false);
}

std::unique_ptr<TableScan> JetDatabase::columnsOnly(
    const TableDef& table, const std::vector<std::size_t>& columns,
    const std::function<std::unique_ptr<TableScan>(const TableLayout&)>& reader, bool keep)
{
    const TableLayout& full = layoutOf(table);
    std::vector<std::size_t> positions;
    for (std::size_t c = 0; c < full.def.columns.size(); ++c)
        if (std::find(columns.begin(), columns.end(), c) != columns.end()) positions.push_back(c);
    if (reducedFor_ != schemaVersion_) {
        reducedLayouts_.clear();
        reducedFor_ = schemaVersion_;
    }
    std::unique_ptr<ColumnScan> scanner;
    guarded([&] {
        std::shared_ptr<const TableLayout> reduced;
        const auto key = std::make_pair(full.def.definitionPage, positions);
        if (const auto found = reducedLayouts_.find(key); keep && found != reducedLayouts_.end())
            reduced = found->second;
        if (!reduced) {
            std::vector<std::string> names;
            for (std::size_t c : positions) names.push_back(full.def.columns[c].name);
            reduced = std::make_shared<const TableLayout>(withColumnsOnly(full, names));
        }
        if (keep) reducedLayouts_.emplace(key, reduced);
        scanner =
            std::make_unique<ColumnScan>(std::move(reduced), std::move(positions), full.def.columns.size(), reader);
    });
    if (scanner->empty()) return nullptr;
    return scanner;
}

}  // namespace querimo::jet
