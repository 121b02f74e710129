#pragma once

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace tessemar::test {

// Acts on the next modal dialog of type Dialog once its event loop runs: the dialogs that
// commands open with exec() are answered this way.
template <typename Dialog>
void WhenShown(std::function<void(Dialog&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr) << "no dialog of the expected kind is open";
        act(*dialog);
    });
}

}  // namespace tessemar::test
