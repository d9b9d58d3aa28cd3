#include "gui/emulator/EmulatorPrompter.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace tess::emu {

namespace {

// "Label (*.x)|*.x|" as Qt writes it: "Label (*.x);;".
QString qtFilter(const std::string &filter)
{
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList labels;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        labels << parts[i];
    return labels.join(QLatin1String(";;"));
}

} // namespace

Prompter::Answer EmulatorPrompter::message(const std::string &text, Icon icon, Buttons buttons,
                                           const std::string &caption)
{
    QMessageBox box(m_parent);
    box.setText(QString::fromStdString(text));
    box.setWindowTitle(QString::fromStdString(caption.empty() ? "Tessarine Emulator" : caption));
    switch (icon) {
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Icon::Stop:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::None:
        break;
    }
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

std::string EmulatorPrompter::openFileName(const FileRequest &request)
{
    return QFileDialog::getOpenFileName(m_parent, QString::fromStdString(request.title),
                                        QString::fromStdString(request.initialPath),
                                        qtFilter(request.filter))
        .toStdString();
}

std::string EmulatorPrompter::saveFileName(const FileRequest &request)
{
    return QFileDialog::getSaveFileName(m_parent, QString::fromStdString(request.title),
                                        QString::fromStdString(request.initialPath),
                                        qtFilter(request.filter))
        .toStdString();
}

std::string EmulatorPrompter::folderName(const std::string &title, const std::string &initialPath)
{
    return QFileDialog::getExistingDirectory(m_parent, QString::fromStdString(title),
                                             QString::fromStdString(initialPath))
        .toStdString();
}

} // namespace tess::emu
