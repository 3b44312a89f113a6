#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Value.h"
#include "sql/Sql.h"

namespace querimo::ado {

// Type numbers as the Jet provider reports them.
using sql::DataType;
using sql::familyOf;
using sql::TypeFamily;

enum class ObjectState { Closed = 0, Open = 1 };

struct FieldInfo {
    std::string name;
    DataType type = DataType::VarWChar;
    int definedSize = 0;
};

using sql::RowSource;

class Recordset;

// A field of the current record.
class Field {
public:
    Field(Recordset& owner, std::size_t index) : owner_(owner), index_(index) {}
    const std::string& Name() const;
    DataType Type() const;
    Value GetValue() const;         // Null when there is no current record
    void SetValue(const Value& v);  // detached record sets only

private:
    Recordset& owner_;
    std::size_t index_;
};

class Fields {
public:
    explicit Fields(Recordset& owner) : owner_(owner) {}
    std::size_t Count() const;
    Field Item(std::size_t index);
    Field Item(std::string_view name);  // ignores letter case; DbError when there is no such field
    // Detached record sets, before Open: adds a column.
    void Append(const std::string& name, DataType type, int definedSize, int attributes);

private:
    Recordset& owner_;
};

// A static, client-side, read-only record set (what ADO's adUseClient, adOpenStatic and adLockReadOnly give,
// the only cursor the window asks for, so there is no setting to choose it): every row can be visited.
// Either the result of a command (rows from a RowSource) or a detached in-memory table.
// A command's record set may be handed out while its rows are still being read (Command::Execute with
// FetchEvents): what needs a row not read yet, or the record count, waits for it; a statement that stops
// meanwhile makes them fail with its DbError.
class Recordset {
public:
    Recordset();
    Recordset(std::vector<FieldInfo> fields, std::shared_ptr<const RowSource> rows);
    // A result made of rows held in memory (schema rowsets).
    static std::shared_ptr<Recordset> fromRows(std::vector<FieldInfo> fields, std::vector<std::vector<Value>> rows);

    ObjectState State() const { return state_; }
    void Open();       // a detached record set, after its fields were appended
    void Close();      // lets go of the rows (a large result's temporary file with them)
    bool Eof() const;  // ADO EOF (a macro name in C)
    bool BOF() const;
    void MoveFirst();
    void MoveNext();
    void Move(std::size_t position);                            // 0-based absolute position
    std::size_t AbsolutePosition() const { return position_; }  // 0-based
    std::size_t RecordCount() const;                            // exact: waits for the last row
    // The rows read so far, without waiting, and whether that is all of them.
    std::size_t RecordsSoFar() const;
    bool Complete() const;
    Fields GetFields() { return Fields(*this); }
    void AddNew();  // detached only: appends an empty record and makes it current

    // Remaining rows from the current record as text; the cursor ends past the last row.
    // Format 2 (adClipString) only; numRows -1 means all.
    std::string GetString(int format, long numRows, const std::string& columnDelimiter, const std::string& rowDelimiter,
                          const std::string& nullExpr);

    // For the grid: access to any row without moving the cursor.
    const std::vector<FieldInfo>& fieldInfo() const { return fields_; }
    Value valueAt(std::size_t row, std::size_t column) const;

private:
    friend class Field;
    friend class Fields;
    void requireOpen() const;
    bool hasRow(std::size_t row) const;  // waits while rows arrive

    ObjectState state_ = ObjectState::Closed;
    std::vector<FieldInfo> fields_;
    std::shared_ptr<const RowSource> rows_;
    std::vector<std::vector<Value>> detachedRows_;  // detached record sets only
    bool detached_ = true;
    std::size_t position_ = 0;
};

}  // namespace querimo::ado
