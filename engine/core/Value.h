#pragma once
#include <cstdint>
#include <string>

namespace querimo {

// One database value, as the engine hands it around. Kinds follow the Jet column types.
// Currency is scaled by 10,000; dates are days since 30 December 1899 (fraction = time of day);
// text is UTF-8; binary holds raw bytes; a GUID is text "{XXXXXXXX-XXXX-...}"; a decimal is exact text ("-12.340").
struct Value {
    enum class Kind {
        Null,
        Boolean,
        Byte,
        Integer,
        Long,
        BigInt,  // Large Number (Access 2016 and later)
        Currency,
        Single,
        Double,
        DateTime,
        Text,
        Binary,
        Guid,
        Decimal
    };

    Kind kind = Kind::Null;
    std::int64_t integer = 0;  // Boolean (0 or 1), Byte, Integer, Long, BigInt, Currency (scaled)
    double real = 0;           // Single, Double, DateTime
    std::string bytes;         // Text, Binary, Guid, Decimal

    bool isNull() const { return kind == Kind::Null; }

    static Value null() { return {}; }
    static Value boolean(bool b) { return make(Kind::Boolean, b ? 1 : 0); }
    static Value byte(std::uint8_t v) { return make(Kind::Byte, v); }
    static Value int16(std::int16_t v) { return make(Kind::Integer, v); }
    static Value int32(std::int32_t v) { return make(Kind::Long, v); }
    static Value int64(std::int64_t v) { return make(Kind::BigInt, v); }
    static Value currency(std::int64_t scaled) { return make(Kind::Currency, scaled); }
    static Value single(float v) { return makeReal(Kind::Single, v); }
    static Value dbl(double v) { return makeReal(Kind::Double, v); }
    static Value dateTime(double days) { return makeReal(Kind::DateTime, days); }
    static Value text(std::string s) { return makeBytes(Kind::Text, std::move(s)); }
    static Value binary(std::string s) { return makeBytes(Kind::Binary, std::move(s)); }
    static Value guid(std::string s) { return makeBytes(Kind::Guid, std::move(s)); }
    static Value decimal(std::string s) { return makeBytes(Kind::Decimal, std::move(s)); }

    bool operator==(const Value&) const = default;

private:
    static Value make(Kind k, std::int64_t i)
    {
        Value v;
        v.kind = k;
        v.integer = i;
        return v;
    }
    static Value makeReal(Kind k, double d)
    {
        Value v;
        v.kind = k;
        v.real = d;
        return v;
    }
    static Value makeBytes(Kind k, std::string s)
    {
        Value v;
        v.kind = k;
        v.bytes = std::move(s);
        return v;
    }
};

}  // namespace querimo
