#pragma once

#include "gui/commands/CommandTable.h"

#include <functional>
#include <map>

namespace tessemar {

// A link of the command route made of handlers rather than a class of its own: each command
// it handles has its action and, where the command depends on something, its update function.
class CCommandMap : public CommandTarget {
  public:
    using Run = std::function<void()>;
    using Update = std::function<void(CommandState&)>;

    void Add(int id, Run run, Update update = {}) {
        handlers_[id] = {std::move(run), std::move(update)};
    }

    bool HandlesCommand(int id) const override { return handlers_.count(id) != 0; }
    void OnCommand(int id) override {
        auto it = handlers_.find(id);
        if (it != handlers_.end() && it->second.run)
            it->second.run();
    }
    void OnUpdateCommand(int id, CommandState& state) override {
        auto it = handlers_.find(id);
        if (it != handlers_.end() && it->second.update)
            it->second.update(state);
    }

  private:
    struct Handler {
        Run run;
        Update update;
    };
    std::map<int, Handler> handlers_;
};

}  // namespace tessemar
