#include "gui/shell/QtPrompter.h"

#include "app/FileFilter.h"
#include "app/Translation.h"
#include "gui/shell/ShellConstants.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

namespace tess {

namespace {

QMessageBox::Icon qtIcon(Prompter::Icon icon)
{
    switch (icon) {
    case Prompter::Icon::None:
        return QMessageBox::NoIcon;
    case Prompter::Icon::Information:
        return QMessageBox::Information;
    case Prompter::Icon::Warning:
        return QMessageBox::Warning;
    case Prompter::Icon::Question:
        return QMessageBox::Question;
    case Prompter::Icon::Stop:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(Prompter::Buttons buttons)
{
    switch (buttons) {
    case Prompter::Buttons::Ok:
        return QMessageBox::Ok;
    case Prompter::Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Prompter::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Prompter::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// Closing the box without a button counts as its most cautious answer.
Prompter::Answer answerOf(int button, Prompter::Buttons buttons)
{
    switch (button) {
    case QMessageBox::Ok:
        return Prompter::Answer::Ok;
    case QMessageBox::Yes:
        return Prompter::Answer::Yes;
    case QMessageBox::No:
        return Prompter::Answer::No;
    default:
        break;
    }
    if (buttons == Prompter::Buttons::YesNo)
        return Prompter::Answer::No;
    if (buttons == Prompter::Buttons::Ok)
        return Prompter::Answer::Ok;
    return Prompter::Answer::Cancel;
}

} // namespace

Prompter::Answer QtPrompter::message(const std::string &text, Icon icon, Buttons buttons,
                                     const std::string &caption)
{
    // The core's texts are translated here, where they are shown.
    QMessageBox box(qtIcon(icon), translated(caption.empty() ? std::string(kAppName) : caption),
                    translated(text), qtButtons(buttons), m_parent);
    return answerOf(box.exec(), buttons);
}

std::vector<std::string> QtPrompter::runFileDialog(const FileRequest &request, FileMode mode)
{
    QFileDialog dialog(
        m_parent, translated(request.title),
        QFile::decodeName(QByteArray::fromStdString(request.initialPath)),
        QString::fromStdString(qtFileFilter(translated(request.filter).toStdString())));
    const bool save = mode == FileMode::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save                                ? QFileDialog::AnyFile
                           : mode == FileMode::OpenSeveral ? QFileDialog::ExistingFiles
                                                           : QFileDialog::ExistingFile);
    // Qt appends the suffix only when the typed name has none, and asks about
    // overwriting under the final name.
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    std::vector<std::string> files;
    for (const QString &file : dialog.selectedFiles())
        files.push_back(QFile::encodeName(file).toStdString());
    return files;
}

std::string QtPrompter::openFileName(const FileRequest &request)
{
    const std::vector<std::string> files = runFileDialog(request, FileMode::Open);
    return files.empty() ? std::string() : files.front();
}

std::vector<std::string> QtPrompter::openFileNames(const FileRequest &request)
{
    return runFileDialog(request, FileMode::OpenSeveral);
}

std::string QtPrompter::saveFileName(const FileRequest &request)
{
    const std::vector<std::string> files = runFileDialog(request, FileMode::Save);
    return files.empty() ? std::string() : files.front();
}

std::string QtPrompter::folderName(const std::string &title, const std::string &initialPath)
{
    return QFile::encodeName(QFileDialog::getExistingDirectory(
                                 m_parent, translated(title),
                                 QFile::decodeName(QByteArray::fromStdString(initialPath))))
        .toStdString();
}

} // namespace tess
