#include "gui/document/RecentFileList.h"

#include "core/text/Format.h"

#include <algorithm>
#include <filesystem>

namespace tessemar {
namespace {

std::size_t CodePoints(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        if (end > start)
            parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::string Join(const std::vector<std::string>& parts, std::size_t from) {
    std::string joined;
    for (std::size_t i = from; i < parts.size(); ++i) {
        if (i > from)
            joined += '/';
        joined += parts[i];
    }
    return joined;
}

}  // namespace

RecentFileList::RecentFileList(int size) : size_(std::clamp(size, 1, kMaxSize)) {}

void RecentFileList::Add(const std::string& path) {
    const std::string normalized = NormalizedPath(path);
    entries_.erase(std::remove(entries_.begin(), entries_.end(), normalized), entries_.end());
    entries_.insert(entries_.begin(), normalized);
    if (entries_.size() > static_cast<std::size_t>(size_))
        entries_.resize(static_cast<std::size_t>(size_));
}

void RecentFileList::Remove(std::size_t index) {
    if (index < entries_.size())
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
}

void RecentFileList::ReadList(const IniFile& ini) {
    entries_.clear();
    for (int i = 1; i <= size_; ++i) {
        std::string path =
            ini.GetString(kSection, text::Format(kEntryFormat, {std::int64_t{i}}), "");
        if (!path.empty() && std::find(entries_.begin(), entries_.end(), path) == entries_.end()) {
            entries_.push_back(std::move(path));
        }
    }
}

void RecentFileList::WriteList(const IniFile& ini) const {
    ini.DeleteSection(kSection);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        ini.WriteString(kSection, text::Format(kEntryFormat, {static_cast<std::int64_t>(i + 1)}),
                        entries_[i]);
    }
}

std::string RecentFileList::MenuText(std::size_t index) const {
    if (index >= entries_.size())
        return {};
    std::string label;
    const std::size_t number = index + 1;
    if (number < 10) {
        label = "&" + std::to_string(number);
    } else if (number == 10) {
        label = "1&0";
    } else {
        label = std::to_string(number);
    }
    std::string shown;
    for (char c : AbbreviatePath(entries_[index], kDisplayLength)) {
        if (c == '&')
            shown += '&';
        shown += c;
    }
    return label + " " + shown;
}

std::string AbbreviatePath(const std::string& path, std::size_t maxLength) {
    if (CodePoints(path) <= maxLength)
        return path;
    const std::vector<std::string> parts = SplitPath(path);
    if (parts.empty())
        return path;
    const std::string root = path.starts_with('/') ? "/" : "";
    // Keep the first folder when it leaves room: "/home/.../puzzles/cat.tsd".
    if (parts.size() > 2) {
        for (std::size_t from = 2; from < parts.size(); ++from) {
            std::string candidate = root + parts[0] + "/.../" + Join(parts, from);
            if (CodePoints(candidate) <= maxLength)
                return candidate;
        }
    }
    for (std::size_t from = 1; from < parts.size(); ++from) {
        std::string candidate = root + ".../" + Join(parts, from);
        if (CodePoints(candidate) <= maxLength)
            return candidate;
    }
    return parts.back();
}

std::string NormalizedPath(const std::string& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error)
        return path;
    return absolute.lexically_normal().string();
}

}  // namespace tessemar
