#pragma once

#include "editor/Prompter.h"

class QWidget;

namespace tess::emu {

// The emulator's boxes and file dialogs: Qt's own, over its window.
class EmulatorPrompter : public Prompter
{
public:
    explicit EmulatorPrompter(QWidget *parent = nullptr)
        : m_parent(parent)
    { }
    void setParent(QWidget *parent) { m_parent = parent; }

    Answer message(const std::string &text, Icon icon, Buttons buttons,
                   const std::string &caption) override;
    std::string openFileName(const FileRequest &request) override;
    std::string saveFileName(const FileRequest &request) override;
    std::string folderName(const std::string &title, const std::string &initialPath) override;

private:
    QWidget *m_parent;
};

} // namespace tess::emu
