#pragma once

#include <optional>
#include <string>

namespace tessemar {

// Picture fragments on the desktop's clipboard, in a format of our own: the fragment bytes
// (width, height, then the cells row by row) under the MIME type application/x-tessemar.
inline constexpr const char* kFragmentMimeType = "application/x-tessemar";

void PutFragmentOnClipboard(const std::string& bytes);
// The fragment on the clipboard; nothing when the clipboard holds none of ours, or bytes that
// are no fragment (too short for their cells, an empty size).
std::optional<std::string> FragmentFromClipboard();
// Whether FragmentFromClipboard would give a fragment; asked at every update of the commands,
// it reads the clipboard only after the clipboard changed.
bool ClipboardHoldsFragment();

}  // namespace tessemar
