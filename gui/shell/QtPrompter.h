#pragma once

#include "editor/Prompter.h"

class QWidget;

namespace tess {

// Prompts shown with QMessageBox and QFileDialog, centred on the parent given
// (the main frame, once it exists).
class QtPrompter : public Prompter
{
public:
    explicit QtPrompter(QWidget *parent = nullptr)
        : m_parent(parent)
    { }

    void setParent(QWidget *parent) { m_parent = parent; }

    Answer message(const std::string &text, Icon icon, Buttons buttons,
                   const std::string &caption) override;
    std::string openFileName(const FileRequest &request) override;
    std::vector<std::string> openFileNames(const FileRequest &request) override;
    std::string saveFileName(const FileRequest &request) override;
    std::string folderName(const std::string &title, const std::string &initialPath) override;

private:
    enum class FileMode { Open, OpenSeveral, Save };
    std::vector<std::string> runFileDialog(const FileRequest &request, FileMode mode);

    QWidget *m_parent;
};

} // namespace tess
