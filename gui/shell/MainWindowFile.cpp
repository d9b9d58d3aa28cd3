// The File menu's documents: New File, Open File, Close File, Save, Save As,
// Print and the recent files.
#include "gui/shell/MainWindow.h"

#include "app/AppContext.h"
#include "app/RecentFileList.h"
#include "app/Translation.h"
#include "editor/DeckDocument.h"
#include "editor/Prompter.h"
#include "gui/code/DeckCodeEditor.h"
#include "gui/design/DesignPane.h"
#include "gui/design/DesignView.h"
#include "gui/shell/DocumentTabs.h"
#include "gui/shell/DocumentWindow.h"
#include "gui/shell/ShellConstants.h"

#include <QAction>
#include <QKeySequence>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QUndoStack>

#include <filesystem>

namespace tess {

namespace {

std::string extensionOf(const std::string &path)
{
    const size_t dot = path.rfind('.');
    return dot == std::string::npos ? std::string() : path.substr(dot + 1);
}

} // namespace

void MainWindow::createFileCommands()
{
    QMenu *newFile = m_newFileMenu = m_fileMenu->addMenu(translated(kMenuNewFile));
    m_commands.newAsp = addCommand(newFile, kMenuNewAsp);
    connect(m_commands.newAsp, &QAction::triggered, this, &MainWindow::OnFileNewAsp);
    m_commands.newJsp = addCommand(newFile, kMenuNewJsp);
    connect(m_commands.newJsp, &QAction::triggered, this, &MainWindow::OnFileNewJsp);
    m_commands.newWml = addCommand(newFile, kMenuNewWml);
    connect(m_commands.newWml, &QAction::triggered, this, &MainWindow::OnFileNewWml);

    QAction *open = m_commands.open = addCommand(m_fileMenu, kMenuOpenFile);
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(open, &QAction::triggered, this, &MainWindow::OnFileOpen);

    QAction *close = m_commands.close = addCommand(m_fileMenu, kMenuCloseFile);
    connect(close, &QAction::triggered, this, &MainWindow::OnFileClose);
    m_documentActions.push_back(close);
    createProjectFileCommands();
    m_documentActions.push_back(m_fileMenu->addSeparator());
    QAction *save = m_commands.save = addCommand(m_fileMenu, kMenuSave);
    save->setShortcut(QKeySequence(Qt::Key_F2));
    setCommandPrompt(save, kPromptSave);
    connect(save, &QAction::triggered, this, &MainWindow::OnFileSave);
    m_documentActions.push_back(save);
    QAction *saveAs = m_commands.saveAs = addCommand(m_fileMenu, kMenuSaveAs);
    connect(saveAs, &QAction::triggered, this, [this] {
        if (DocumentWindow *child = activeChildFrame())
            child->tabWindow()->saveAsCommand();
    });
    m_documentActions.push_back(saveAs);
    QAction *print = m_commands.print = addCommand(m_fileMenu, kMenuPrint);
    print->setShortcuts(QKeySequence::Print);
    connect(print, &QAction::triggered, this, &MainWindow::OnFilePrint);
    m_documentActions.push_back(print);
    m_fileMenu->addSeparator();
}

void MainWindow::OnFilePrint()
{
    DeckCodeEditor *view = activeCodeView();
    if (!view)
        return;
    QPrinter printer;
    printer.setDocName(QString::fromStdString(activeChildFrame()->document().title()));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        printCode(printer);
}

bool MainWindow::printCode(QPrinter &printer)
{
    DeckCodeEditor *view = activeCodeView();
    if (!view)
        return false;
    // The printout copies each line's colours, and lines are otherwise
    // coloured only once shown.
    view->colourAll();
    view->print(&printer);
    return true;
}

void MainWindow::setRecentFileList(RecentFileList *list)
{
    m_recent = list;
    rebuildRecentFiles();
}

void MainWindow::addRecentFile(const std::string &path)
{
    if (!m_recent)
        return;
    m_recent->add(path);
    m_recent->save();
    rebuildRecentFiles();
}

// The entries stand between two separators above Exit, as "&1 path" and so
// on; an empty list shows a disabled "Recent File".
void MainWindow::rebuildRecentFiles()
{
    for (QAction *action : m_recentActions) {
        m_fileMenu->removeAction(action);
        delete action;
    }
    m_recentActions.clear();
    const std::vector<std::string> entries
        = m_recent ? m_recent->entries() : std::vector<std::string>();
    if (entries.empty()) {
        auto *none = new QAction(translated(kMenuRecentFile), m_fileMenu);
        none->setEnabled(false);
        m_recentActions.push_back(none);
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::string path = entries[i];
        auto *action = new QAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QString::fromStdString(path)), m_fileMenu);
        connect(action, &QAction::triggered, this, [this, path] { openRecentFile(path); });
        m_recentActions.push_back(action);
    }
    for (QAction *action : m_recentActions)
        m_fileMenu->insertAction(m_recentSeparator, action);
}

void MainWindow::openRecentFile(const std::string &path)
{
    std::string error;
    if (!OpenDocumentFile(path, &error))
        m_prompter.message(error, Prompter::Icon::Stop);
}

DocumentWindow *MainWindow::activeChildFrame() const
{
    // The current window, which stays current while another program is
    // active.
    return m_mdiArea ? qobject_cast<DocumentWindow *>(m_mdiArea->currentSubWindow()) : nullptr;
}

DocumentWindow *MainWindow::addChildFrame(DocumentWindow *child)
{
    m_mdiArea->addSubWindow(child);
    child->setWindowIcon(windowIcon());
    DocumentTabs *tabs = child->tabWindow();
    connect(child->designWnd()->designView(), &DesignView::leaveFullScreenRequested, this,
            &MainWindow::OnLeaveFullScreen);
    connect(tabs->codeView(), &CodeEditor::caretStatusChanged, this,
            [this](const QString &text) { setLineColumnText(text.toStdString()); });
    tabs->codeView()->setEditMenu(m_editMenu);
    connect(tabs, &DocumentTabs::tabSwitched, this, &MainWindow::updateMenus);
    // The design history changes without a tab switch.
    connect(child->document().undoStack(), &QUndoStack::indexChanged, this,
            &MainWindow::updateMenus);
    connect(&child->document(), &DeckDocument::titleChanged, this, &MainWindow::updateTitle);
    connect(&child->document(), &DeckDocument::modifiedChanged, this, &MainWindow::updateTitle);
    connect(child, &QMdiSubWindow::windowStateChanged, this, &MainWindow::updateTitle);
    connect(child, &QObject::destroyed, this, [this] {
        updateMenus();
        updateTitle();
    });
    child->showMaximized();
    m_mdiArea->setActiveSubWindow(child);
    tabs->ensureInitialLoad();
    // Laid out once it has its size, so the scroll height fits the window.
    child->document().requestAlignAll();
    updateMenus();
    updateTitle();
    return child;
}

DocumentWindow *MainWindow::NewDocument()
{
    auto doc = std::make_unique<DeckDocument>();
    doc->setTitle(kNewDocumentName + std::to_string(++m_newDocumentCount));
    doc->setFileKind(m_newFileKind);
    auto *child = new DocumentWindow(std::move(doc), host(), m_prompter, m_context);
    child->tabWindow()->sync().prepareNew();
    return addChildFrame(child);
}

DocumentWindow *MainWindow::childFrameOf(const std::string &path) const
{
    std::error_code ec;
    for (QMdiSubWindow *window : m_mdiArea->subWindowList()) {
        auto *child = qobject_cast<DocumentWindow *>(window);
        const std::string &open = child ? child->document().path() : std::string();
        if (!open.empty() && std::filesystem::equivalent(open, path, ec))
            return child;
    }
    return nullptr;
}

bool MainWindow::OpenDocumentFile(const std::string &path, std::string *error)
{
    // A file already open is shown, not opened a second time: two windows
    // on one file would overwrite each other's work.
    if (DocumentWindow *open = childFrameOf(path)) {
        m_mdiArea->setActiveSubWindow(open);
        return true;
    }
    const std::string extension = extensionOf(path);
    if (extension == "jsp")
        m_newFileKind = PageKind::Jsp;
    else if (extension == "asp")
        m_newFileKind = PageKind::Asp;
    else if (extension == "wml")
        m_newFileKind = PageKind::Wml;

    // The path must be known before the windows are made: a design without
    // one starts a new deck.
    auto doc = std::make_unique<DeckDocument>();
    doc->setFileKind(m_newFileKind);
    if (!doc->OnOpenDocument(path, error))
        return false;
    auto *child = new DocumentWindow(std::move(doc), host(), m_prompter, m_context);
    child->tabWindow()->sync().prepareOpen();
    addChildFrame(child);
    emit documentOpened(path);
    return true;
}

void MainWindow::newFile(PageKind kind)
{
    m_newFileKind = kind;
    if (DocumentWindow *child = NewDocument())
        child->document().setFileKind(kind);
}

void MainWindow::OnFileNewAsp()
{
    newFile(PageKind::Asp);
}

void MainWindow::OnFileNewJsp()
{
    newFile(PageKind::Jsp);
}

void MainWindow::OnFileNewWml()
{
    newFile(PageKind::Wml);
}

void MainWindow::OnFileOpen()
{
    Prompter::FileRequest request;
    request.title = kOpenFileTitle;
    request.filter = kOpenFileFilter;
    request.confirmOverwrite = false;
    const std::string path = m_prompter.openFileName(request);
    if (path.empty())
        return;
    m_context.currentFile = path;
    std::string error;
    if (!OpenDocumentFile(path, &error)) {
        m_prompter.message(error, Prompter::Icon::Stop);
        return;
    }
    if (DocumentWindow *child = activeChildFrame()) {
        child->document().setFileKind(m_newFileKind);
        child->document().openedThroughOpenFile = true;
    }
}

void MainWindow::OnFileClose()
{
    if (QMdiSubWindow *child = m_mdiArea->currentSubWindow())
        child->close();
}

void MainWindow::OnFileSave()
{
    if (DocumentWindow *child = activeChildFrame())
        child->tabWindow()->saveCommand();
}

} // namespace tess
