#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tessemar {

// An INI file read and written the way the private-profile functions do it: every call reads
// the file afresh, every write goes to disk at once and keeps every other line (other
// sections, comments, key order). Sections and keys are looked up ignoring letter case.
// A file that cannot be read behaves as empty; a file that cannot be written is left alone
// without a message.
class IniFile {
public:
    explicit IniFile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    // The leading decimal digits of the value (with an optional sign); a value without digits
    // reads as 0; a missing key or section gives defaultValue.
    std::int32_t GetInt(std::string_view section, std::string_view key, std::int32_t defaultValue) const;

    // The value with surrounding blanks removed (and one pair of enclosing quotes); a missing
    // key or section gives defaultValue.
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const;

    // Writes the value as "%d" / verbatim; returns false when the file could not be written.
    bool WriteInt(std::string_view section, std::string_view key, std::int32_t value) const;
    bool WriteString(std::string_view section, std::string_view key, std::string_view value) const;

    // Removes one key, or a whole section with its keys.
    bool DeleteKey(std::string_view section, std::string_view key) const;
    bool DeleteSection(std::string_view section) const;

private:
    std::string path_;
};

// Reads a private-profile integer from text: optional blanks, optional sign, leading digits.
std::int32_t ParseProfileInt(std::string_view value);

}  // namespace tessemar
