#pragma once

#include <QCursor>

namespace tessemar {

// The pointer of the picture pane for a cursor kind, as the view decides it from the tool and
// what lies under the pointer: 1/-1 the pen, 2/-2 rectangle and straight line, 3/-3 paint (the
// negative kinds where the cell would be cleared), 9 select, 10 + hit code over the selection
// frame, 20/21/22 the margins that select everything, whole rows and whole columns.
// Kind 0 is the system arrow and kind 4 (the clue areas) the system I-beam; an unknown kind
// gives the arrow. Built on first use and kept.
QCursor CursorOfKind(int kind);

}  // namespace tessemar
