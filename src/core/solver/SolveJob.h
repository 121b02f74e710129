#pragma once

#include "core/document/DocumentEdit.h"
#include "core/solver/CSubThread.h"
#include "core/solver/SolveReport.h"
#include "core/text/StringTable.h"

#include <atomic>
#include <optional>
#include <string>

namespace tessemar {

class CLogicDoc;

// One Solve or Hint on a document, in the order the window and the command-line tool share:
// the clue check, the run on its own thread, the write-back of its grid, the commit of every
// cell of the run as one undo entry, the report.
class SolveJob {
  public:
    // The clue check before a run: empty when the clues pass, else the message that names
    // what failed and asks whether to solve anyway.
    static std::string CheckClues(const CLogicDoc& doc, text::Language language);

    // Opens the edit that collects every cell of the run (those the observer writes while it
    // works included) and starts the run on its thread.
    SolveJob(CLogicDoc& doc, SolveCommand command, ViewRefresh refresh, SolveObserver* observer,
             const std::atomic<int>& stopRequest);
    ~SolveJob() = default;
    SolveJob(const SolveJob&) = delete;
    SolveJob& operator=(const SolveJob&) = delete;

    // Waits for the run's end; only then may its result be read.
    void Join() { thread_.Join(); }
    // After the run's end: writes its grid into the document, commits the run's edit and
    // returns the report texts. The document is not touched again afterwards.
    SolveReport Finish(text::Language language);
    // The document closes: the cells written so far stay in it as the run's entry.
    void CommitEdit();

    const SolveResult& Result() const { return thread_.Result(); }
    // The size at the start: the denominator of the progress and of the report.
    int Width() const { return width_; }
    int Height() const { return height_; }

  private:
    CLogicDoc& doc_;
    int width_;
    int height_;
    std::optional<DocumentEdit> edit_;
    // Declared last so that it is destroyed (and its thread joined) first.
    CSubThread thread_;
};

}  // namespace tessemar
