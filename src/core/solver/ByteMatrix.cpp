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

int ByteMatrix::FindForward(int start, int count, std::uint8_t limit) const {
    const int end = std::min(Size(), start + std::max(count, 0));
    for (int i = std::max(start, 0); i < end; ++i) {
        if (data_[i] != 0 && data_[i] <= limit)
            return i;
    }
    return -1;
}

int ByteMatrix::FindBackward(int start, int count, std::uint8_t limit) const {
    const int end = std::max(-1, start - std::max(count, 0));
    for (int i = std::min(start, Size() - 1); i > end; --i) {
        if (data_[i] != 0 && data_[i] <= limit)
            return i;
    }
    return -1;
}

ByteMatrix ByteMatrix::CopyRow(int i) const {
    ByteMatrix line(columns_, 1);
    if (line.Size() == columns_ && i >= 0 && i < rows_) {
        std::memcpy(line.data_.get(), data_.get() + static_cast<std::size_t>(i) * columns_,
                    static_cast<std::size_t>(columns_));
    }
    return line;
}

ByteMatrix ByteMatrix::CopyColumn(int j) const {
    ByteMatrix line(rows_, 1);
    if (line.Size() == rows_ && j >= 0 && j < columns_) {
        for (int i = 0; i < rows_; ++i)
            line.data_[i] = data_[i * columns_ + j];
    }
    return line;
}

void ByteMatrix::StoreRow(int i, const ByteMatrix& line) {
    if (i < 0 || i >= rows_)
        return;
    const int n = std::min(columns_, line.Size());
    if (n > 0)
        std::memcpy(data_.get() + static_cast<std::size_t>(i) * columns_, line.data_.get(),
                    static_cast<std::size_t>(n));
}

void ByteMatrix::StoreColumn(int j, const ByteMatrix& line) {
    if (j < 0 || j >= columns_)
        return;
    const int n = std::min(rows_, line.Size());
    for (int i = 0; i < n; ++i)
        data_[i * columns_ + j] = line.data_[i];
}

void ByteMatrix::Load(const std::uint8_t* source, int stride) {
    for (int i = 0; i < rows_; ++i) {
        std::memcpy(data_.get() + static_cast<std::size_t>(i) * columns_,
                    source + static_cast<std::size_t>(i) * stride,
                    static_cast<std::size_t>(columns_));
    }
}

void ByteMatrix::MaxWith(const ByteMatrix& other) {
    const int n = std::min(Size(), other.Size());
    for (int i = 0; i < n; ++i)
        data_[i] = std::max(data_[i], other.data_[i]);
}

void ByteMatrix::ShiftLeft(int k) {
    const int n = Size();
    if (k <= 0 || n == 0)
        return;
    if (k >= n) {
        Fill(0);
        return;
    }
    std::memmove(data_.get(), data_.get() + k, static_cast<std::size_t>(n - k));
    std::memset(data_.get() + (n - k), 0, static_cast<std::size_t>(k));
}

void ByteMatrix::ShiftRight(int k) {
    const int n = Size();
    if (k <= 0 || n == 0)
        return;
    if (k >= n) {
        Fill(0);
        return;
    }
    std::memmove(data_.get() + k, data_.get(), static_cast<std::size_t>(n - k));
    std::memset(data_.get(), 0, static_cast<std::size_t>(k));
}

}  // namespace tessemar
