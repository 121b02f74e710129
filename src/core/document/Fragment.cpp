#include "core/document/Fragment.h"

namespace tessemar {

std::string FragmentBytes(const Fragment& fragment) {
    std::string bytes;
    bytes.reserve(2 + fragment.cells.size());
    bytes.push_back(static_cast<char>(fragment.width));
    bytes.push_back(static_cast<char>(fragment.height));
    for (std::int8_t cell : fragment.cells) bytes.push_back(static_cast<char>(cell));
    return bytes;
}

std::optional<Fragment> ParseFragment(std::string_view bytes) {
    if (bytes.size() < 2) return std::nullopt;
    Fragment fragment;
    fragment.width = static_cast<std::uint8_t>(bytes[0]);
    fragment.height = static_cast<std::uint8_t>(bytes[1]);
    const std::size_t count = static_cast<std::size_t>(fragment.width) * fragment.height;
    if (count == 0 || bytes.size() - 2 < count) return std::nullopt;
    fragment.cells.resize(count);
    for (std::size_t n = 0; n < count; ++n) {
        const auto value = static_cast<std::int8_t>(bytes[2 + n]);
        fragment.cells[n] = IsCellValue(value) ? value : std::int8_t{0};
    }
    return fragment;
}

Fragment TransformFragment(const Fragment& fragment, PictureTransform transform, int color) {
    const int w = fragment.width;
    const int h = fragment.height;
    const bool turn = transform == PictureTransform::TurnLeft90 || transform == PictureTransform::TurnRight90;
    Fragment result;
    result.width = turn ? h : w;
    result.height = turn ? w : h;
    result.cells.resize(fragment.cells.size());
    for (int j = 0; j < result.height; ++j) {
        for (int i = 0; i < result.width; ++i) {
            std::int8_t cell = 0;
            switch (transform) {
                case PictureTransform::MirrorHorizontally: cell = fragment.At(w - 1 - i, j); break;
                case PictureTransform::MirrorVertically: cell = fragment.At(i, h - 1 - j); break;
                case PictureTransform::Turn180: cell = fragment.At(w - 1 - i, h - 1 - j); break;
                case PictureTransform::TurnRight90: cell = fragment.At(j, h - 1 - i); break;
                case PictureTransform::TurnLeft90: cell = fragment.At(w - 1 - j, i); break;
                case PictureTransform::EraseXMarks:
                    cell = fragment.At(i, j);
                    if (cell == -1) cell = 0;
                    break;
                case PictureTransform::MirrorColor:
                    cell = fragment.At(i, j);
                    if (color >= 1 && color <= 8) {
                        if (cell == color) {
                            cell = 0;
                        } else if (cell == 0 || cell == -1) {
                            cell = static_cast<std::int8_t>(color);
                        }
                    }
                    break;
            }
            result.cells[static_cast<std::size_t>(j) * result.width + i] = cell;
        }
    }
    return result;
}

}  // namespace tessemar
