// Scans that decode only the columns a reader asks for.
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
    ColumnScan(PageFile& file, const Format& format, TableLayout reduced, std::vector<std::size_t> positions,
               std::size_t width, const StopSignal* stop)
        : layout_(std::move(reduced)), positions_(std::move(positions)), width_(width),
          scanner_(file, format, layout_, usageMapPages(file, format, layout_.usedPagesMap), stop)
    {}

    bool next(std::vector<Value>& row) override
    {
        if (!scanner_.next(values_)) return false;
        if (row.size() != width_) row.assign(width_, Value::null());
        for (std::size_t i = 0; i < positions_.size(); ++i) row[positions_[i]] = std::move(values_[i]);
        return true;
    }

    RowId rowId() const override { return scanner_.rowId(); }

private:
    TableLayout layout_;  // before scanner_, which reads through it
    std::vector<std::size_t> positions_;
    std::size_t width_;
    TableScanner scanner_;
    std::vector<Value> values_;
};

}  // namespace

std::unique_ptr<TableScan> JetDatabase::scan(const TableDef& table, const std::vector<std::size_t>& columns)
{
    const TableLayout& full = layoutOf(table);
    std::vector<std::size_t> positions;
    std::vector<std::string> names;
    for (std::size_t c = 0; c < full.def.columns.size(); ++c)
        if (std::find(columns.begin(), columns.end(), c) != columns.end()) {
            positions.push_back(c);
            names.push_back(full.def.columns[c].name);
        }
    std::unique_ptr<TableScan> scanner;
    guarded([&] {
        scanner = std::make_unique<ColumnScan>(file_, *format_, withColumnsOnly(full, names), std::move(positions),
                                               full.def.columns.size(), stopSignal());
    });
    return scanner;
}

}  // namespace querimo::jet
