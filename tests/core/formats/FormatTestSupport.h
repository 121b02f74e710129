#pragma once

#include "core/document/PuzzleModel.h"
#include "core/formats/PuzzleFiles.h"
#include "core/formats/PuzzleFormatError.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tessemar::testing {

// Clue lines from the picture, the way the program computes them: runs of one colour from the
// picture's edge inwards, slot 0 next to the picture, an empty line as 0 of colour 1.
inline void ComputeClues(PuzzleModel& m) {
    auto line = [](int length, auto cellAt, auto store) {
        int k = 0, run = 0, colour = 0;
        for (int i = length - 1; i >= 0; --i) {
            const int cell = cellAt(i);
            const bool coloured = cell >= 1 && cell <= 8;
            if ((!coloured || cell != colour) && run != 0) {
                store(k++, run, colour);
                run = 0;
            }
            if (coloured) {
                ++run;
                colour = cell;
            }
        }
        if (run != 0)
            store(k++, run, colour);
        if (k == 0)
            store(0, 0, 1);
    };
    for (int y = 0; y < m.rowCount; ++y) {
        line(
            m.columnCount, [&](int x) { return m.cells[x][y]; },
            [&](int k, int n, int c) {
                m.rowClueNumbers[k][y] = static_cast<std::uint8_t>(n);
                m.rowClueColors[k][y] = static_cast<std::uint8_t>(c);
            });
    }
    for (int x = 0; x < m.columnCount; ++x) {
        line(
            m.rowCount, [&](int y) { return m.cells[x][y]; },
            [&](int k, int n, int c) {
                m.columnClueNumbers[x][k] = static_cast<std::uint8_t>(n);
                m.columnClueColors[x][k] = static_cast<std::uint8_t>(c);
            });
    }
}

// A random picture of colours 1..colours (each of them used) with some X marks, and its clues.
inline std::unique_ptr<PuzzleModel> RandomPuzzle(std::mt19937& random, int width, int height,
                                                 int colours) {
    auto m = std::make_unique<PuzzleModel>();
    m->columnCount = width;
    m->rowCount = height;
    std::uniform_int_distribution<int> cell(-1, colours);
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y)
            m->cells[x][y] = static_cast<std::int8_t>(cell(random));
    }
    for (int c = 1; c <= colours; ++c) {
        m->cells[random() % width][random() % height] = static_cast<std::int8_t>(c);
    }
    for (int c = 0; c < 10; ++c) {
        m->colors[c] = static_cast<ColorRef>(random() & 0xFFFFFF);
    }
    m->title = "Random " + std::to_string(width) + "x" + std::to_string(height);
    ComputeClues(*m);
    return m;
}

// Compares what a community format carries: size, title, every clue slot of the size, the
// colours the puzzle uses and, when asked, the picture (X marks read back as blank).
inline void ExpectSamePuzzle(const PuzzleModel& expected, const PuzzleModel& actual, bool picture) {
    ASSERT_EQ(actual.columnCount, expected.columnCount);
    ASSERT_EQ(actual.rowCount, expected.rowCount);
    EXPECT_EQ(actual.title, expected.title);
    const int w = expected.columnCount, h = expected.rowCount;
    // Row slots are [k][y] with k < w, column slots [x][k] with k < h: like the cells, both
    // tables are compared over [0, w) x [0, h).
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h; ++y) {
            ASSERT_EQ(std::pair(actual.rowClueNumbers[x][y], actual.rowClueColors[x][y]),
                      std::pair(expected.rowClueNumbers[x][y], expected.rowClueColors[x][y]))
                << "row " << y << " slot " << x;
            ASSERT_EQ(std::pair(actual.columnClueNumbers[x][y], actual.columnClueColors[x][y]),
                      std::pair(expected.columnClueNumbers[x][y], expected.columnClueColors[x][y]))
                << "column " << x << " slot " << y;
            const int want = picture && expected.cells[x][y] > 0 ? expected.cells[x][y] : 0;
            ASSERT_EQ(actual.cells[x][y], want) << "cell " << x << "," << y;
        }
    }
}

// The model's clues, slot for slot, are those its picture gives (slot 0 next to the picture,
// an empty line as the empty-line mark).
inline void ExpectCluesOfThePicture(const PuzzleModel& m) {
    auto computed = std::make_unique<PuzzleModel>(m);
    ComputeClues(*computed);
    ExpectSamePuzzle(*computed, m, true);
}

using PuzzleReader = void (*)(std::string_view, PuzzleModel&, const PuzzleReadOptions&);
using PuzzleWriter = std::string (*)(const PuzzleModel&, const PuzzleWriteOptions&);

inline std::unique_ptr<PuzzleModel> ReadWith(PuzzleReader read, std::string_view text,
                                             bool withGoal = false) {
    auto model = std::make_unique<PuzzleModel>();
    read(text, *model, {.withGoal = withGoal});
    return model;
}

// A text a reader must refuse, with the line and the problem its message names.
struct Refusal {
    std::string text;
    int line;
    const char* problem;
    bool withGoal = false;
};

// Runs parse(text, withGoal) on every case; each must throw a format error naming its line. A
// problem of the goal is none while the goal is left out.
template <typename Parse>
void ExpectRefusals(const std::vector<Refusal>& cases, Parse parse) {
    for (const Refusal& c : cases) {
        if (c.withGoal) {
            EXPECT_NO_THROW(parse(c.text, false)) << c.problem;
        }
        try {
            parse(c.text, c.withGoal);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const PuzzleFormatError& error) {
            EXPECT_EQ(error.line(), c.line) << c.problem << " -> " << error.what();
            EXPECT_NE(error.problem().find(c.problem), std::string::npos)
                << c.problem << " -> " << error.what();
        }
    }
}

}  // namespace tessemar::testing
