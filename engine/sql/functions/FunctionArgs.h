#pragma once
#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace querimo::sql::functions {

// Dates and Yes/No values travel as REAL and INTEGER; these subtypes, set by our own functions, let a
// later conversion to text show "12/31/2003" or "True" instead of a bare number.
inline constexpr unsigned dateSubtype = 'D';
inline constexpr unsigned booleanSubtype = 'B';
inline constexpr unsigned singleSubtype = 'F';  // a Single shows 7 significant digits

// A run-time error Access would raise; the registration turns it into the statement's error.
struct FunctionError {
    std::string message;
};

[[noreturn]] void throwInvalidCall(std::string_view where);
[[noreturn]] void throwTypeMismatch(std::string_view where);
[[noreturn]] void throwOverflow(std::string_view where);
[[noreturn]] void throwInvalidNull(std::string_view where);
[[noreturn]] void throwDivisionByZero(std::string_view where);

// Round half to even, as Access rounds when it converts to whole numbers.
double bankersRound(double v);
// The same at a number of decimals. The scaled value is read back at 15 significant digits first, so
// 2.675 (stored as 2.67499999...) rounds as the 2.675 the user wrote.
double bankersRound(double v, int decimals);

// The arguments of one call and its result, with Access's conversions. Every conversion raises
// "invalid use of Null" for a Null argument: functions that pass Null through test isNull first.
class Args {
public:
    Args(sqlite3_context* ctx, int argc, sqlite3_value** argv, std::string_view name, bool operands = false)
        : ctx_(ctx), argc_(argc), argv_(argv), name_(name), operands_(operands)
    {}

    int count() const { return argc_; }
    bool has(int i) const { return i < argc_; }
    std::string_view name() const { return name_; }
    sqlite3* database() const { return sqlite3_context_db_handle(ctx_); }
    sqlite3_value* raw(int i) const { return argv_[i]; }
    int type(int i) const { return sqlite3_value_type(argv_[i]); }
    bool isNull(int i) const { return type(i) == SQLITE_NULL; }
    bool anyNull() const;
    bool isDate(int i) const { return sqlite3_value_subtype(argv_[i]) == dateSubtype; }

    // Something derived from a constant argument, kept by SQLite for the following rows of the statement.
    template <typename T>
    T* kept(int i) const
    {
        return static_cast<T*>(sqlite3_get_auxdata(ctx_, i));
    }
    template <typename T>
    void keep(int i, T* derived)
    {
        sqlite3_set_auxdata(ctx_, i, derived, [](void* p) { delete static_cast<T*>(p); });
    }

    double number(int i) const;                                                  // text is converted
    std::int64_t whole(int i, std::int64_t lowest, std::int64_t highest) const;  // rounded half to even
    std::int64_t wholeOr(int i, std::int64_t fallback, std::int64_t lowest, std::int64_t highest) const;
    std::string text(int i) const;  // Access's text form
    double date(int i) const;       // number or date text
    bool truth(int i) const;        // nonzero; Null is false

    [[noreturn]] void invalidCall() const { throwInvalidCall(name_); }
    [[noreturn]] void invalidArgument(int i) const { throwInvalidCall(argumentName(i)); }
    [[noreturn]] void typeMismatch() const { throwTypeMismatch(name_); }
    [[noreturn]] void overflow() const { throwOverflow(name_); }

    void setNull() { sqlite3_result_null(ctx_); }
    void setText(std::string_view s);
    void setInteger(std::int64_t v) { sqlite3_result_int64(ctx_, v); }
    void setReal(double v);
    void setNumber(double v, bool asInteger);  // INTEGER when asInteger and it fits, else REAL
    void setDate(double days);                 // checked against Access's date range
    void setBoolean(bool b);
    void setSingle(double v);
    void setArgument(int i);

private:
    std::string argumentName(int i) const;  // "Left (argument 2)", "de operator + (operand 1)"

    sqlite3_context* ctx_;
    int argc_;
    sqlite3_value** argv_;
    std::string_view name_;
    bool operands_;  // an operator's: its arguments are operands in messages
};

// The text form Access gives a value in a text context (CStr, &): numbers with up to 15 (Single: 7) significant digits
// and "." as decimal point, dates in US general date form, Yes/No as True/False. Null gives "".
std::string valueText(sqlite3_value* v);

}  // namespace querimo::sql::functions
