#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace tessemar {

// The hourglass for the lifetime of a scope. A caller that knows the work will be quick this
// time passes needed = false and leaves the cursor alone.
class WaitCursor {
  public:
    explicit WaitCursor(bool needed = true) : active_(needed) {
        if (active_)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~WaitCursor() {
        if (active_)
            QGuiApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    bool active_;
};

}  // namespace tessemar
