#include "core/settings/IniFile.h"

#include "core/io/FileUtil.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

namespace tessemar {
namespace {

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string_view Trim(std::string_view s) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

// The file as lines, remembering whether it used CR LF so that rewrites keep its style.
struct Lines {
    std::vector<std::string> lines;
    bool crlf = false;
};

Lines ReadLines(const std::string& path) {
    Lines result;
    std::optional<std::string> content = ReadWholeFile(path);
    if (!content) return result;
    std::string_view rest = *content;
    while (!rest.empty()) {
        std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
            result.crlf = true;
        }
        result.lines.emplace_back(line);
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    return result;
}

bool WriteLines(const std::string& path, const Lines& file) {
    std::string content;
    const char* eol = file.crlf ? "\r\n" : "\n";
    for (const std::string& line : file.lines) {
        content += line;
        content += eol;
    }
    CreateParentFolders(path);
    return WriteFileAtomically(path, content).ok;
}

// The section name of a "[name]" line, or nullopt for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[') return std::nullopt;
    std::size_t close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

// The key of a "key=value" line, or nullopt for a comment or a line without '='.
std::optional<std::string_view> KeyName(std::string_view line) {
    std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';') return std::nullopt;
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    return Trim(line.substr(0, eq));
}

// Where a section's lines lie: its header and one past its last key line.
struct SectionSpan {
    std::size_t header = 0;
    std::size_t lastKeyEnd = 0;
};

std::optional<SectionSpan> FindSection(const Lines& file, std::string_view section) {
    for (std::size_t i = 0; i < file.lines.size(); ++i) {
        auto name = SectionName(file.lines[i]);
        if (!name || !EqualsIgnoreCase(*name, section)) continue;
        SectionSpan span{i, i + 1};
        for (std::size_t j = i + 1; j < file.lines.size() && !SectionName(file.lines[j]); ++j) {
            if (KeyName(file.lines[j])) span.lastKeyEnd = j + 1;
        }
        return span;
    }
    return std::nullopt;
}

std::optional<std::size_t> FindKey(const Lines& file, const SectionSpan& span, std::string_view key) {
    for (std::size_t j = span.header + 1; j < span.lastKeyEnd; ++j) {
        auto name = KeyName(file.lines[j]);
        if (name && EqualsIgnoreCase(*name, key)) return j;
    }
    return std::nullopt;
}

std::optional<std::string> LookUp(const std::string& path, std::string_view section, std::string_view key) {
    Lines file = ReadLines(path);
    auto span = FindSection(file, section);
    if (!span) return std::nullopt;
    auto line = FindKey(file, *span, key);
    if (!line) return std::nullopt;
    const std::string& text = file.lines[*line];
    std::string_view value = Trim(std::string_view(text).substr(text.find('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

}  // namespace

std::int32_t ParseProfileInt(std::string_view value) {
    value = Trim(value);
    bool negative = false;
    if (!value.empty() && (value.front() == '-' || value.front() == '+')) {
        negative = value.front() == '-';
        value.remove_prefix(1);
    }
    std::uint32_t magnitude = 0;
    for (char c : value) {
        if (c < '0' || c > '9') break;
        magnitude = magnitude * 10u + static_cast<std::uint32_t>(c - '0');  // wraps like a C int
    }
    return static_cast<std::int32_t>(negative ? 0u - magnitude : magnitude);
}

std::int32_t IniFile::GetInt(std::string_view section, std::string_view key, std::int32_t defaultValue) const {
    auto value = LookUp(path_, section, key);
    return value ? ParseProfileInt(*value) : defaultValue;
}

std::string IniFile::GetString(std::string_view section, std::string_view key,
                               std::string_view defaultValue) const {
    auto value = LookUp(path_, section, key);
    return value ? *value : std::string(defaultValue);
}

bool IniFile::WriteInt(std::string_view section, std::string_view key, std::int32_t value) const {
    return WriteString(section, key, std::to_string(value));
}

bool IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) const {
    Lines file = ReadLines(path_);
    std::string line(key);
    line += '=';
    line += value;
    if (auto span = FindSection(file, section)) {
        if (auto existing = FindKey(file, *span, key)) {
            file.lines[*existing] = line;
        } else {
            file.lines.insert(file.lines.begin() + static_cast<std::ptrdiff_t>(span->lastKeyEnd), line);
        }
    } else {
        std::string header = "[";
        header += section;
        header += ']';
        file.lines.push_back(std::move(header));
        file.lines.push_back(line);
    }
    return WriteLines(path_, file);
}

bool IniFile::DeleteKey(std::string_view section, std::string_view key) const {
    Lines file = ReadLines(path_);
    auto span = FindSection(file, section);
    if (!span) return true;
    auto line = FindKey(file, *span, key);
    if (!line) return true;
    file.lines.erase(file.lines.begin() + static_cast<std::ptrdiff_t>(*line));
    return WriteLines(path_, file);
}

bool IniFile::DeleteSection(std::string_view section) const {
    Lines file = ReadLines(path_);
    auto span = FindSection(file, section);
    if (!span) return true;
    std::size_t end = span->header + 1;
    while (end < file.lines.size() && !SectionName(file.lines[end])) ++end;
    file.lines.erase(file.lines.begin() + static_cast<std::ptrdiff_t>(span->header),
                     file.lines.begin() + static_cast<std::ptrdiff_t>(end));
    return WriteLines(path_, file);
}

}  // namespace tessemar
