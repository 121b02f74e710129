#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace tessemar::text {

// One argument of a printf-style format. The formats come from the string table, so the
// arguments are type-checked at run time instead of trusting a C variadic call.
using FormatArg = std::variant<std::int64_t, std::string_view>;

// Fills a printf-style format: %d %i %u %x %X %c %s with flags "-0+ ", a width and a precision,
// and %%. A conversion with no argument left, or with an argument of the wrong kind, is
// written as it stands, so a faulty translation never reads beyond its arguments.
std::string Format(std::string_view format, std::span<const FormatArg> args);
inline std::string Format(std::string_view format, std::initializer_list<FormatArg> args) {
    return Format(format, std::span<const FormatArg>(args.begin(), args.size()));
}

// Fills Windows-style "%1" .. "%9" inserts.
std::string FormatInserts(std::string_view format, std::initializer_list<std::string_view> inserts);

}  // namespace tessemar::text
