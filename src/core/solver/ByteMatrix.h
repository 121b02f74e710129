#pragma once

#include <cstdint>
#include <memory>

namespace tessemar {

// The solver's one container: a rows x columns block of bytes, element (i, j) at
// i * columns + j. A line vector is a matrix of n rows and one column, addressed by flat index.
// An allocation that fails leaves an empty matrix (0 x 0) instead of throwing, so a solve on a
// machine out of memory ends as an empty result rather than an exception on the worker thread.
class ByteMatrix {
  public:
    ByteMatrix() = default;
    ByteMatrix(int rows, int columns);
    ByteMatrix(int rows, int columns, std::uint8_t fill);
    ByteMatrix(const ByteMatrix& other);
    ByteMatrix(ByteMatrix&& other) noexcept;
    ByteMatrix& operator=(const ByteMatrix& other);
    ByteMatrix& operator=(ByteMatrix&& other) noexcept;
    ~ByteMatrix() = default;

    int Rows() const { return rows_; }
    int Columns() const { return columns_; }
    int Size() const { return rows_ * columns_; }
    bool Empty() const { return Size() == 0; }

    std::uint8_t Get(int index) const { return data_[index]; }
    void Set(int index, std::uint8_t value) { data_[index] = value; }
    std::uint8_t Get(int i, int j) const { return data_[i * columns_ + j]; }
    void Set(int i, int j, std::uint8_t value) { data_[i * columns_ + j] = value; }
    std::uint8_t* Data() { return data_.get(); }
    const std::uint8_t* Data() const { return data_.get(); }

    void Fill(std::uint8_t value);

    // The first index at or after start holding value, or -1.
    int Find(std::uint8_t value, int start = 0) const;

  private:
    void Allocate(int rows, int columns);

    std::unique_ptr<std::uint8_t[]> data_;
    int rows_ = 0;
    int columns_ = 0;
};

}  // namespace tessemar
