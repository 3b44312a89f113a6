#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

namespace querimo {

// Error numbers as the Jet OLE DB provider reports them (HRESULTs).
namespace errc {
inline constexpr std::int32_t fail = static_cast<std::int32_t>(0x80004005);  // general Jet failure
inline constexpr std::int32_t authentication =
    static_cast<std::int32_t>(0x80040E4D);  // user, password or database password wrong
inline constexpr std::int32_t syntax = static_cast<std::int32_t>(0x80040E14);        // statement Access would reject
inline constexpr std::int32_t noValue = static_cast<std::int32_t>(0x80040E10);       // a parameter has no value
inline constexpr std::int32_t integrity = static_cast<std::int32_t>(0x80040E2F);     // constraint violated
inline constexpr std::int32_t notFound = static_cast<std::int32_t>(0x80040E37);      // table or view does not exist
inline constexpr std::int32_t typeMismatch = static_cast<std::int32_t>(0x80040E07);  // value does not convert
inline constexpr std::int32_t cancelled = static_cast<std::int32_t>(0x80040E4E);     // the statement was stopped
}  // namespace errc

// Every failure the engine reports: a number and a Dutch description fit to show the user.
class DbError : public std::runtime_error {
public:
    DbError(std::int32_t number, const std::string& description) : std::runtime_error(description), number_(number) {}
    std::int32_t number() const { return number_; }
    std::string description() const { return what(); }

private:
    std::int32_t number_;
};

}  // namespace querimo
