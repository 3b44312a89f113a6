#include "ado/Recordset.h"

#include "core/Error.h"
#include "core/Text.h"
#include "core/ValueText.h"

namespace querimo::ado {

namespace {

class MemoryRows : public RowSource {
public:
    explicit MemoryRows(std::vector<std::vector<Value>> rows) : rows_(std::move(rows)) {}
    std::size_t rowCount() const override { return rows_.size(); }
    Value value(std::size_t row, std::size_t column) const override { return rows_[row][column]; }

private:
    std::vector<std::vector<Value>> rows_;
};

[[noreturn]] void fail(const std::string& message)
{
    throw DbError(errc::fail, message);
}

}  // namespace

const std::string& Field::Name() const
{
    return owner_.fields_.at(index_).name;
}
DataType Field::Type() const
{
    return owner_.fields_.at(index_).type;
}

Value Field::GetValue() const
{
    owner_.requireOpen();
    if (owner_.Eof()) fail("Er is geen huidige record.");
    return owner_.valueAt(owner_.position_, index_);
}

void Field::SetValue(const Value& v)
{
    owner_.requireOpen();
    if (!owner_.detached_) fail("De recordset is alleen-lezen.");
    if (owner_.Eof()) fail("Er is geen huidige record.");
    owner_.detachedRows_[owner_.position_][index_] = v;
}

std::size_t Fields::Count() const
{
    return owner_.fields_.size();
}

Field Fields::Item(std::size_t index)
{
    if (index >= owner_.fields_.size()) fail("Veld " + std::to_string(index) + " bestaat niet in deze recordset.");
    return Field(owner_, index);
}

Field Fields::Item(std::string_view name)
{
    for (std::size_t i = 0; i < owner_.fields_.size(); ++i)
        if (text::equalsIgnoreCase(owner_.fields_[i].name, name)) return Field(owner_, i);
    fail("Veld '" + std::string(name) + "' bestaat niet in deze recordset.");
}

void Fields::Append(const std::string& name, DataType type, int definedSize, int)
{
    if (owner_.state_ == ObjectState::Open) fail("Velden toevoegen kan niet aan een geopende recordset.");
    owner_.fields_.push_back({name, type, definedSize});
}

Recordset::Recordset() = default;

Recordset::Recordset(std::vector<FieldInfo> fields, std::shared_ptr<const RowSource> rows)
    : state_(ObjectState::Open), fields_(std::move(fields)), rows_(std::move(rows)), detached_(false)
{}

std::shared_ptr<Recordset> Recordset::fromRows(std::vector<FieldInfo> fields, std::vector<std::vector<Value>> rows)
{
    return std::make_shared<Recordset>(std::move(fields), std::make_shared<MemoryRows>(std::move(rows)));
}

void Recordset::requireOpen() const
{
    if (state_ != ObjectState::Open) fail("De recordset is gesloten.");
}

void Recordset::Open()
{
    if (state_ == ObjectState::Open) fail("De recordset is al geopend.");
    detached_ = true;
    detachedRows_.clear();
    position_ = 0;
    state_ = ObjectState::Open;
}

void Recordset::Close()
{
    requireOpen();
    state_ = ObjectState::Closed;
    // Rows still being read are not wanted any more; a result's temporary file goes now, not when the last
    // reference does.
    if (rows_) rows_->letGo();
    rows_.reset();
    detachedRows_.clear();
}

std::size_t Recordset::RecordCount() const
{
    requireOpen();
    return detached_ ? detachedRows_.size() : rows_->rowCount();
}

std::size_t Recordset::RecordsSoFar() const
{
    requireOpen();
    return detached_ ? detachedRows_.size() : rows_->rowsSoFar();
}

bool Recordset::Complete() const
{
    requireOpen();
    return detached_ || rows_->complete();
}

bool Recordset::hasRow(std::size_t row) const
{
    requireOpen();
    return detached_ ? row < detachedRows_.size() : rows_->hasRow(row);
}

bool Recordset::Eof() const
{
    return !hasRow(position_);
}
bool Recordset::BOF() const
{
    return !hasRow(0);
}

void Recordset::MoveFirst()
{
    requireOpen();
    position_ = 0;
}

void Recordset::MoveNext()
{
    if (Eof()) fail("De huidige record staat al na de laatste record.");
    ++position_;
}

void Recordset::Move(std::size_t position)
{
    requireOpen();
    if (position > 0 && !hasRow(position - 1)) fail("Die recordpositie bestaat niet.");
    position_ = position;
}

void Recordset::AddNew()
{
    requireOpen();
    if (!detached_) fail("De recordset is alleen-lezen.");
    detachedRows_.emplace_back(fields_.size());
    position_ = detachedRows_.size() - 1;
}

Value Recordset::valueAt(std::size_t row, std::size_t column) const
{
    requireOpen();
    return detached_ ? detachedRows_.at(row).at(column) : rows_->value(row, column);
}

std::string Recordset::GetString(int, long numRows, const std::string& columnDelimiter, const std::string& rowDelimiter,
                                 const std::string& nullExpr)
{
    requireOpen();
    std::string out;
    for (long done = 0; (numRows < 0 || done < numRows) && hasRow(position_); ++position_, ++done) {
        for (std::size_t c = 0; c < fields_.size(); ++c) {
            if (c > 0) out += columnDelimiter;
            const Value v = valueAt(position_, c);
            out += v.isNull() ? nullExpr : displayText(v);
        }
        out += rowDelimiter;
    }
    return out;
}

}  // namespace querimo::ado
