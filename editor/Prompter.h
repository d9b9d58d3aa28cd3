#pragma once

#include <string>

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
    virtual std::string saveFileName(const FileRequest &request) = 0;
    // Empty when cancelled.
    virtual std::string folderName(const std::string &title, const std::string &initialPath) = 0;

    // The program's prompter; never null. Defaults to one that prints each
    // message on standard error and cancels every dialog, which suits the
    // command-line modes.
    static Prompter &current();
    // That default: for the command-line modes, which must never wait on a
    // box nobody can answer.
    static Prompter &console();
    static void setCurrent(Prompter *prompter);
};

} // namespace tess
