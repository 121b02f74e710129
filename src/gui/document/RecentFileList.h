#pragma once

#include "core/settings/IniFile.h"

#include <string>
#include <vector>

namespace tessemar {

// The most recently opened or saved documents, newest first, kept in the INI file's section
// "Recent File List" as File1, File2, ...
class RecentFileList {
  public:
    static constexpr int kMaxSize = 16;
    static constexpr const char* kSection = "Recent File List";
    static constexpr const char* kEntryFormat = "File%d";
    static constexpr std::size_t kDisplayLength = 30;

    // size is kept within 1..16.
    explicit RecentFileList(int size);

    int Size() const { return size_; }
    const std::vector<std::string>& Entries() const { return entries_; }

    // Puts the path first; an entry of the same path moves up instead of appearing twice, and
    // the oldest entry falls off a full list.
    void Add(const std::string& path);
    void Remove(std::size_t index);
    void Clear() { entries_.clear(); }

    // Reads up to Size() entries; empty keys are skipped.
    void ReadList(const IniFile& ini);
    // Replaces the section with the current entries, so that entries dropped from the list do
    // not come back when the list grows again.
    void WriteList(const IniFile& ini) const;

    // The menu text of entry index: "&1 path" .. "&9 path", "1&0 path", then "11 path" ...,
    // the path abbreviated to kDisplayLength characters with any "&" doubled.
    std::string MenuText(std::size_t index) const;

  private:
    int size_;
    std::vector<std::string> entries_;
};

// Shortens a path for a menu: the whole path when it fits in maxLength characters, else the
// root and first folder, "...", and as many of the last parts as fit; at the least the file
// name alone. Characters are counted as UTF-8 code points.
std::string AbbreviatePath(const std::string& path, std::size_t maxLength);

// A file's path as the list keeps it: absolute and with "." and ".." resolved, so that one file
// reached by two relative names is one entry.
std::string NormalizedPath(const std::string& path);

}  // namespace tessemar
