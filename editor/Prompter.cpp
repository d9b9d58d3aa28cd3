#include "editor/Prompter.h"

#include <cstdio>

namespace tess {

namespace {

// Used where no window can ask: messages go to standard error, questions get
// their most cautious answer and file dialogs are cancelled.
class ConsolePrompter : public Prompter
{
public:
    Answer message(const std::string &text, Icon, Buttons buttons, const std::string &) override
    {
        std::fprintf(stderr, "%s\n", text.c_str());
        switch (buttons) {
        case Buttons::Ok:
            return Answer::Ok;
        case Buttons::OkCancel:
            return Answer::Cancel;
        case Buttons::YesNo:
            return Answer::No;
        case Buttons::YesNoCancel:
            return Answer::Cancel;
        }
        return Answer::Cancel;
    }
    std::string openFileName(const FileRequest &) override { return {}; }
    std::string saveFileName(const FileRequest &) override { return {}; }
    std::string folderName(const std::string &, const std::string &) override { return {}; }
};

} // namespace

Prompter &Prompter::console()
{
    // It keeps no state: one serves every caller.
    static ConsolePrompter console;
    return console;
}

bool tell(Prompter &prompter, const Outcome &outcome)
{
    if (!outcome.message.empty())
        prompter.message(outcome.message, outcome.icon);
    return outcome.ok;
}

} // namespace tess
