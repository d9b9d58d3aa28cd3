// The Tools menu's Compile, and what the menus and the title show for the
// active document.
#include "gui/shell/MainWindow.h"

#include "app/AppContext.h"
#include "app/EmulatorLaunch.h"
#include "app/Preferences.h"
#include "app/SettingsKey.h"
#include "app/Translation.h"
#include "editor/DeckDocument.h"
#include "editor/DocumentSync.h"
#include "gui/code/CodeConstants.h"
#include "gui/code/DeckCodeEditor.h"
#include "gui/code/OutputView.h"
#include "gui/shell/DocumentTabs.h"
#include "gui/shell/DocumentWindow.h"
#include "gui/shell/DownloadDialog.h"
#include "gui/shell/PreferencesDialog.h"
#include "gui/shell/ProjectTree.h"
#include "gui/shell/ShellConstants.h"
#include "gui/shell/TransferTexts.h"
#include "gui/shell/UploadDialog.h"

#include <QAction>
#include <QKeySequence>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>

namespace tess {

void MainWindow::setCommandPrompt(QAction *action, const char *prompt)
{
    // A prompt is the status bar's text, a line feed, then the tooltip.
    const QString text = translated(prompt);
    const qsizetype split = text.indexOf(QLatin1Char('\n'));
    action->setStatusTip(text.left(split));
    if (split >= 0)
        action->setToolTip(text.mid(split + 1));
}

void MainWindow::createToolsCommands()
{
    QAction *compile = m_commands.compile = addCommand(m_toolsMenu, kMenuCompile);
    compile->setShortcut(QKeySequence(Qt::Key_F5));
    setCommandPrompt(compile, kPromptCompile);
    connect(compile, &QAction::triggered, this, &MainWindow::OnCompile);
    m_documentActions.push_back(compile);

    // F4 walks the Output window's errors and warnings, as build tools do.
    auto *nextMessage = new QAction(this);
    nextMessage->setShortcut(QKeySequence(Qt::Key_F4));
    connect(nextMessage, &QAction::triggered, this, [this] {
        if (OutputView *view = outputView())
            view->activateNext();
    });
    addAction(nextMessage);

    QAction *emulator = m_commands.invokeEmulator = addCommand(m_toolsMenu, kMenuInvokeEmulator);
    connect(emulator, &QAction::triggered, this, [this] {
        if (DocumentWindow *child = activeChildFrame())
            child->OnInvokeEmulator();
    });
    m_documentActions.push_back(emulator);
    m_commands.userPreference = addCommand(m_toolsMenu, kMenuUserPreference);
    connect(m_commands.userPreference, &QAction::triggered, this, &MainWindow::OnUserPreference);
    m_documentActions.push_back(m_commands.userPreference);
    m_commands.upload = addCommand(m_toolsMenu, kMenuUpload);
    connect(m_commands.upload, &QAction::triggered, this, &MainWindow::OnUpload);
    m_commands.download = addCommand(m_toolsMenu, kMenuDownload);
    connect(m_commands.download, &QAction::triggered, this, &MainWindow::OnDownload);
    connect(m_toolsMenu, &QMenu::aboutToShow, this, &MainWindow::updateProjectCommands);
    updateProjectCommands();
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this] {
        updateMenus();
        updateTitle();
    });
    connect(this, &QWidget::windowTitleChanged, this, &MainWindow::updateTitle);
}

bool MainWindow::OnUserPreference()
{
    return runPreferences(nullptr);
}

SettingsKey MainWindow::settingsKey() const
{
    return m_context.settingsPath.empty() ? SettingsKey() : SettingsKey(m_context.settingsPath);
}

bool MainWindow::runPreferences(std::string *emulatorPath)
{
    SettingsKey key = settingsKey();
    PreferencesDialog dialog(key, m_prompter, this);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (emulatorPath)
        *emulatorPath = dialog.emulatorEdit()->text().toStdString();
    // Set Defaults stores at once, so even a cancelled dialog may have
    // changed the colours.
    for (DocumentWindow *child : m_mdiArea->findChildren<DocumentWindow *>())
        child->tabWindow()->codeView()->applyPreferences(key);
    if (!accepted)
        return false;
    if (DocumentWindow *child = activeChildFrame())
        tell(m_prompter, child->tabWindow()->sync().useDtd(preferredSystemId(dialog.stored())));
    return true;
}

void MainWindow::launchEmulator(const std::string &deckPath, bool handOff)
{
    // The emulator installed with the program serves until the user names
    // another.
    std::string program = settingsKey().readString(kSettingEmulator).value_or("");
    if (program.empty())
        program = installedEmulatorPath();
    // The bar's button asks a second time when the first answer left no
    // path; either way the launch then goes ahead with what there is.
    const int questions = handOff ? 2 : 1;
    for (int asked = 0; asked < questions && program.empty(); ++asked) {
        if (m_prompter.message(kEmulatorPathQuestion, Prompter::Icon::Question,
                               Prompter::Buttons::YesNo)
            != Prompter::Answer::Yes)
            return;
        runPreferences(&program);
    }
    if (handOff && sendToRunningEmulator(deckPath))
        return;
    std::string error;
    if (!startEmulator(program, deckPath, &error))
        m_prompter.message(error, Prompter::Icon::Stop, Prompter::Buttons::Ok, kErrorCaption);
}

void MainWindow::OnCompile()
{
    QAction *compile = m_commands.compile;
    DocumentWindow *child = activeChildFrame();
    if (child && compile && compile->isEnabled())
        child->tabWindow()->compile();
}

void MainWindow::OnUpload()
{
    const ProjectTree *tree = fileView();
    if (!tree) {
        m_prompter.message(kNoProjectTreeView);
        return;
    }
    UploadDialog dialog(*tree, m_prompter, *m_ftp, this);
    dialog.exec();
}

void MainWindow::OnDownload()
{
    DownloadDialog dialog(m_prompter, *m_ftp, this);
    dialog.exec();
}

void MainWindow::updateMenus()
{
    if (!m_mdiArea)
        return;
    DocumentWindow *child = activeChildFrame();
    for (QAction *action : m_documentActions)
        action->setVisible(child);
    for (QMenu *menu : {m_editMenu, m_windowMenu})
        menu->menuAction()->setVisible(child);
    // Compile and the emulator serve WML documents, from whichever tab is
    // shown.
    const bool wml = child && !child->document().isAsp() && !child->document().isJsp();
    m_commands.compile->setEnabled(wml);
    m_commands.invokeEmulator->setEnabled(wml);
    const bool editing = activeCodeView();
    for (QAction *action : {m_commands.print, m_commands.cut, m_commands.copy, m_commands.paste,
                            m_commands.selectAll, m_commands.find, m_commands.replace})
        action->setEnabled(editing);
    const QUndoStack *history = activeDesignHistory();
    m_commands.undo->setEnabled(editing || (history && history->canUndo()));
    m_commands.redo->setEnabled(editing || (history && history->canRedo()));
    updateControlCommands();
}

// The MDI area adds " - [name]" of a maximised window to the title it
// found at that moment and puts that back later; whatever it did, the title
// is set again from the active document once it has.
void MainWindow::updateTitle()
{
    QString title = translated(kMainFrameTitle);
    DocumentWindow *child = activeChildFrame();
    if (child) {
        const QString name = QString::fromStdString(child->document().title());
        title += child->isMaximized() ? QStringLiteral(" - [%1]").arg(name)
                                      : QStringLiteral(" - ") + name;
    }
    title += QStringLiteral("[*]");
    if (windowTitle() != title)
        setWindowTitle(title);
    setWindowModified(child && child->document().isModified());
}

} // namespace tess
