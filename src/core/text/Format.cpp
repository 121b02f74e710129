#include "core/text/Format.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace tessemar::text {
namespace {

struct Conversion {
    std::string flags;
    int width = -1;
    int precision = -1;
    char type = 0;  // d i u x X c s
};

// Parses the part of a conversion after '%'; returns the index just past it, or npos when the
// conversion is incomplete or unknown.
std::size_t ParseConversion(std::string_view format, std::size_t pos, Conversion& conversion) {
    while (pos < format.size() && std::string_view("-0+ #").find(format[pos]) != std::string_view::npos) {
        conversion.flags += format[pos++];
    }
    auto readNumber = [&](int& out) {
        if (pos < format.size() && format[pos] >= '0' && format[pos] <= '9') {
            out = 0;
            while (pos < format.size() && format[pos] >= '0' && format[pos] <= '9' && out < 1000) {
                out = out * 10 + (format[pos++] - '0');
            }
        }
    };
    readNumber(conversion.width);
    if (pos < format.size() && format[pos] == '.') {
        ++pos;
        conversion.precision = 0;
        readNumber(conversion.precision);
    }
    while (pos < format.size() && (format[pos] == 'l' || format[pos] == 'h')) {
        ++pos;
    }
    if (pos >= format.size() || std::string_view("diuxXcs").find(format[pos]) == std::string_view::npos) {
        return std::string_view::npos;
    }
    conversion.type = format[pos];
    return pos + 1;
}

std::string BuildCFormat(const Conversion& conversion, std::string_view lengthModifier) {
    std::string f = "%";
    f += conversion.flags;
    if (conversion.width >= 0) f += std::to_string(conversion.width);
    if (conversion.precision >= 0) {
        f += '.';
        f += std::to_string(conversion.precision);
    }
    f += lengthModifier;
    f += conversion.type;
    return f;
}

template <typename T>
std::string FormatNumber(const std::string& cFormat, T value) {
    char buffer[128];
    int n = std::snprintf(buffer, sizeof buffer, cFormat.c_str(), value);
    return n < 0 ? std::string() : std::string(buffer, std::min<std::size_t>(n, sizeof buffer - 1));
}

std::string Pad(std::string_view text, const Conversion& conversion) {
    if (conversion.precision >= 0 && text.size() > static_cast<std::size_t>(conversion.precision)) {
        text = text.substr(0, conversion.precision);
    }
    std::string out(text);
    if (conversion.width > 0 && out.size() < static_cast<std::size_t>(conversion.width)) {
        std::string fill(conversion.width - out.size(), ' ');
        out = conversion.flags.find('-') != std::string::npos ? out + fill : fill + out;
    }
    return out;
}

// Formats one argument, or returns false when it does not fit the conversion.
bool FormatOne(const Conversion& conversion, const FormatArg& arg, std::string& out) {
    if (conversion.type == 's') {
        const auto* s = std::get_if<std::string_view>(&arg);
        if (s == nullptr) return false;
        out += Pad(*s, conversion);
        return true;
    }
    const auto* n = std::get_if<std::int64_t>(&arg);
    if (n == nullptr) return false;
    switch (conversion.type) {
        case 'c':
            out += Pad(std::string(1, static_cast<char>(*n)), conversion);
            return true;
        case 'd':
        case 'i':
            out += FormatNumber(BuildCFormat(conversion, "ll"), static_cast<long long>(*n));
            return true;
        default:  // u, x, X print the 32-bit pattern, as the C library does for an int
            out += FormatNumber(BuildCFormat(conversion, ""), static_cast<unsigned>(static_cast<std::uint32_t>(*n)));
            return true;
    }
}

}  // namespace

std::string Format(std::string_view format, std::span<const FormatArg> args) {
    std::string out;
    out.reserve(format.size() + 16 * args.size());
    auto next = args.begin();
    std::size_t pos = 0;
    while (pos < format.size()) {
        char c = format[pos];
        if (c != '%') {
            out += c;
            ++pos;
            continue;
        }
        if (pos + 1 < format.size() && format[pos + 1] == '%') {
            out += '%';
            pos += 2;
            continue;
        }
        Conversion conversion;
        std::size_t end = ParseConversion(format, pos + 1, conversion);
        if (end == std::string_view::npos || next == args.end() || !FormatOne(conversion, *next, out)) {
            std::size_t stop = end == std::string_view::npos ? pos + 1 : end;
            out.append(format.substr(pos, stop - pos));
            pos = stop;
            continue;
        }
        ++next;
        pos = end;
    }
    return out;
}

std::string FormatInserts(std::string_view format, std::initializer_list<std::string_view> inserts) {
    std::vector<std::string_view> values(inserts);
    std::string out;
    for (std::size_t pos = 0; pos < format.size(); ++pos) {
        char c = format[pos];
        if (c == '%' && pos + 1 < format.size() && format[pos + 1] >= '1' && format[pos + 1] <= '9') {
            std::size_t index = format[pos + 1] - '1';
            if (index < values.size()) {
                out.append(values[index]);
                ++pos;
                continue;
            }
        }
        out += c;
    }
    return out;
}

}  // namespace tessemar::text
