#include "core/solver/ByteMatrix.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace tessemar {

ByteMatrix::ByteMatrix(int rows, int columns) {
    Allocate(rows, columns);
}

ByteMatrix::ByteMatrix(int rows, int columns, std::uint8_t fill) {
    Allocate(rows, columns);
    Fill(fill);
}

ByteMatrix::ByteMatrix(const ByteMatrix& other) {
    Allocate(other.rows_, other.columns_);
    if (Size() > 0)
        std::memcpy(data_.get(), other.data_.get(), static_cast<std::size_t>(Size()));
}

ByteMatrix::ByteMatrix(ByteMatrix&& other) noexcept
    : data_(std::move(other.data_)), rows_(other.rows_), columns_(other.columns_) {
    other.rows_ = 0;
    other.columns_ = 0;
}

ByteMatrix& ByteMatrix::operator=(const ByteMatrix& other) {
    if (this == &other)
        return *this;
    if (Size() != other.Size()) {
        Allocate(other.rows_, other.columns_);
    } else {
        rows_ = other.rows_;
        columns_ = other.columns_;
    }
    if (Size() > 0)
        std::memcpy(data_.get(), other.data_.get(), static_cast<std::size_t>(Size()));
    return *this;
}

ByteMatrix& ByteMatrix::operator=(ByteMatrix&& other) noexcept {
    data_ = std::move(other.data_);
    rows_ = other.rows_;
    columns_ = other.columns_;
    other.rows_ = 0;
    other.columns_ = 0;
    return *this;
}

void ByteMatrix::Allocate(int rows, int columns) {
    data_.reset();
    rows_ = 0;
    columns_ = 0;
    if (rows <= 0 || columns <= 0)
        return;
    data_.reset(
        new (std::nothrow)
            std::uint8_t[static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns)]);
    if (!data_)
        return;
    rows_ = rows;
    columns_ = columns;
}

void ByteMatrix::Fill(std::uint8_t value) {
    if (Size() > 0)
        std::memset(data_.get(), value, static_cast<std::size_t>(Size()));
}

int ByteMatrix::Find(std::uint8_t value, int start) const {
    for (int i = std::max(start, 0); i < Size(); ++i) {
        if (data_[i] == value)
            return i;
    }
    return -1;
}

}  // namespace tessemar
