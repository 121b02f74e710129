#include "core/solver/SolveJob.h"

#include "core/document/CLogicDoc.h"
#include "core/solver/ClueNumbers.h"

namespace tessemar {

std::string SolveJob::CheckClues(const CLogicDoc& doc, text::Language language) {
    int badRow = -1;
    int badColumn = -1;
    int badColour = -1;
    if (!CheckNumbers(doc, badRow, badColumn, badColour))
        return {};
    return NumbersWrongMessage(badRow, badColumn, badColour, language);
}

SolveJob::SolveJob(CLogicDoc& doc, SolveCommand command, ViewRefresh refresh,
                   SolveObserver* observer, const std::atomic<int>& stopRequest)
    : doc_(doc), width_(doc.columnCount()), height_(doc.rowCount()) {
    edit_.emplace(doc);
    thread_.PrepareSolve(observer, stopRequest, doc.Model());
    thread_.Start(command, refresh);
}

SolveReport SolveJob::Finish(text::Language language) {
    Join();
    if (edit_) {
        WriteBackSolution(doc_, Result());
        CommitEdit();
    }
    return BuildSolveReport(Result(), width_, height_, language);
}

void SolveJob::CommitEdit() {
    if (!edit_)
        return;
    edit_->Commit();
    edit_.reset();
}

}  // namespace tessemar
