#pragma once

#include "support/ModelSetup.h"
#include "core/document/CLogicDoc.h"
#include "core/document/TsdFile.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

namespace tessemar::edit_test {

inline std::unique_ptr<CLogicDoc> MakeDoc(int columns, int rows) {
    return std::make_unique<CLogicDoc>(DocumentDefaults{.columnCount = columns, .rowCount = rows});
}

// Fills the whole 250 x 250 extent (also what lies outside the puzzle) with cells, numbers and
// colours, so that an operation touching the wrong place shows.
inline void FillEverything(CLogicDoc& doc, std::mt19937& random) {
    ChangeModel(doc, [&](PuzzleModel& m) {
        for (int x = 0; x < kMaxLines; ++x) {
            for (int y = 0; y < kMaxLines; ++y) {
                m.cells[x][y] = static_cast<std::int8_t>(static_cast<int>(random() % 10) - 1);
                m.rowClueNumbers[x][y] = static_cast<std::uint8_t>(random() % 6);
                m.rowClueColors[x][y] = static_cast<std::uint8_t>(random() % 9);
                m.columnClueNumbers[x][y] = static_cast<std::uint8_t>(random() % 6);
                m.columnClueColors[x][y] = static_cast<std::uint8_t>(random() % 9);
            }
        }
    });
}

// Everything the history must give back: the saved bytes (sizes, title, colours, font and
// what lies inside the puzzle) and the whole arrays, including the parts outside the size.
struct Snapshot {
    std::vector<std::uint8_t> tsd;
    std::unique_ptr<PuzzleModel> model;

    explicit Snapshot(const CLogicDoc& doc)
        : tsd(WriteTsd(doc.Model())), model(std::make_unique<PuzzleModel>(doc.Model())) {}
};

inline ::testing::AssertionResult SameDocument(const Snapshot& expected, const CLogicDoc& doc) {
    const PuzzleModel& a = *expected.model;
    const PuzzleModel& b = doc.Model();
    if (expected.tsd != WriteTsd(b)) return ::testing::AssertionFailure() << "saved bytes differ";
    if (a.cells != b.cells) return ::testing::AssertionFailure() << "cells differ";
    if (a.rowClueNumbers != b.rowClueNumbers || a.rowClueColors != b.rowClueColors) {
        return ::testing::AssertionFailure() << "row clues differ";
    }
    if (a.columnClueNumbers != b.columnClueNumbers || a.columnClueColors != b.columnClueColors) {
        return ::testing::AssertionFailure() << "column clues differ";
    }
    return ::testing::AssertionSuccess();
}

// Cells of the picture as rows of text, for readable failures: '.' blank, 'x' X mark, digits.
inline std::vector<std::string> PictureRows(const CLogicDoc& doc) {
    std::vector<std::string> rows;
    for (int y = 0; y < doc.rowCount(); ++y) {
        std::string row;
        for (int x = 0; x < doc.columnCount(); ++x) {
            const int c = doc.Cell(x, y);
            row.push_back(c == 0 ? '.' : c == -1 ? 'x' : static_cast<char>('0' + c));
        }
        rows.push_back(row);
    }
    return rows;
}

// Sets the picture from rows of text in the form PictureRows gives.
inline void SetPicture(CLogicDoc& doc, const std::vector<std::string>& rows) {
    ChangeModel(doc, [&](PuzzleModel& m) {
        for (int y = 0; y < static_cast<int>(rows.size()); ++y) {
            for (int x = 0; x < static_cast<int>(rows[y].size()); ++x) {
                const char c = rows[y][x];
                m.cells[x][y] = static_cast<std::int8_t>(c == '.' ? 0 : c == 'x' ? -1 : c - '0');
            }
        }
    });
}

}  // namespace tessemar::edit_test
