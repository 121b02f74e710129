#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessemar::text {

bool IsValidUtf8(std::string_view bytes);

// Text from a file: kept when it is valid UTF-8, otherwise decoded from CP932 (the code page
// of files made on Japanese Windows). Bytes that are not CP932 either become U+FFFD.
std::string DecodeFileText(std::string_view bytes);

// UTF-16 code units to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(const std::vector<std::uint16_t>& units);

}  // namespace tessemar::text
