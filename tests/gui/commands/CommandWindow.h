#pragma once

#include "gui/commands/CommandDefs.h"

#include <QAction>
#include <QMainWindow>

#include <gtest/gtest.h>

#include <vector>

namespace tessemar {

inline std::vector<int> AllIds() {
    std::vector<int> ids;
    for (const CommandDef& def : CommandDefs())
        ids.push_back(def.id);
    return ids;
}

// A window with the command table made from the given ids.
struct CommandWindow {
    // Takes every command and records what reached it.
    struct Recorder : CommandTarget {
        std::vector<int> received;
        bool HandlesCommand(int) const override { return true; }
        void OnCommand(int id) override { received.push_back(id); }
    };

    QMainWindow window;
    Recorder target;
    CCommandTable table{&window, [this] { return std::vector<CommandTarget*>{&target}; }};
    explicit CommandWindow(const std::vector<int>& ids) { AddCommands(table, ids); }
};

// No separator leads, trails or follows another, and nothing is empty.
inline void ExpectNoStraySeparators(const QList<QAction*>& actions, const QString& path) {
    ASSERT_FALSE(actions.isEmpty()) << path.toStdString();
    EXPECT_FALSE(actions.front()->isSeparator()) << path.toStdString();
    EXPECT_FALSE(actions.back()->isSeparator()) << path.toStdString();
    for (qsizetype i = 1; i < actions.size(); ++i)
        EXPECT_FALSE(actions[i]->isSeparator() && actions[i - 1]->isSeparator())
            << path.toStdString();
}

}  // namespace tessemar
