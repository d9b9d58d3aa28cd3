#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tess {

// Every message box and file dialog of the program goes through this
// interface: the GUI answers with real dialogs, tests with a script of
// answers that also records the texts shown.
class Prompter
{
public:
    enum class Icon { None, Information, Warning, Question, Stop };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    struct FileRequest
    {
        std::string title;
        // Filters as "Label (*.ext)|*.ext|Label2 (*.x)|*.x|".
        std::string filter;
        std::string defaultExtension; // without the dot
        std::string initialPath;
        bool confirmOverwrite = true;
    };

    virtual ~Prompter() = default;

    virtual Answer message(const std::string &text, Icon icon = Icon::None,
                           Buttons buttons = Buttons::Ok, const std::string &caption = {})
        = 0;
    // Empty when the user cancels.
    virtual std::string openFileName(const FileRequest &request) = 0;
    // Several files chosen in one dialog, in the dialog's order; none when
    // the user cancels. One file at a time where the prompter can do no more.
    virtual std::vector<std::string> openFileNames(const FileRequest &request)
    {
        std::string path = openFileName(request);
        if (path.empty())
            return {};
        return {std::move(path)};
    }
    virtual std::string saveFileName(const FileRequest &request) = 0;
    // Empty when cancelled.
    virtual std::string folderName(const std::string &title, const std::string &initialPath) = 0;

    // One that prints each message on standard error, gives each question
    // its most cautious answer and cancels every dialog: for the
    // command-line modes, which must never wait on a box nobody can answer.
    static Prompter &console();
};

// What a command of the core did, and what the user is to be told of it:
// the core returns it, the window that ran the command shows it. A command
// that went on may still have something to tell (a save that failed on the
// way, say).
struct Outcome
{
    bool ok = true;
    // Empty: nothing to tell.
    std::string message;
    Prompter::Icon icon = Prompter::Icon::None;

    static Outcome failed(std::string message = {}, Prompter::Icon icon = Prompter::Icon::None)
    {
        return {false, std::move(message), icon};
    }
    explicit operator bool() const { return ok; }
};

// Shows the outcome's message, if it has one, in an OK box; returns ok.
bool tell(Prompter &prompter, const Outcome &outcome);

} // namespace tess
