// The File menu's documents: New File, Open File and Close File.
#include "shell/MainFrm.h"

#include "designer/DesignWnd.h"
#include "designer/WMLDesignView.h"
#include "shell/BerthingDoc.h"
#include "shell/ChildFrm.h"
#include "shell/PlaceholderDocument.h"
#include "shell/ProcessPaths.h"
#include "shell/Prompter.h"
#include "shell/ShellConstants.h"
#include "source/MessageSink.h"

#include <QAction>
#include <QKeySequence>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

namespace tess {

namespace {

// Loading and validation report in the Output bar.
class OutputSink : public MessageSink
{
public:
    explicit OutputSink(CMainFrame &frame)
        : m_frame(frame)
    { }
    void showMessage(const std::string &text) override { m_frame.showOutputMessage(text); }

private:
    CMainFrame &m_frame;
};

std::string extensionOf(const std::string &path)
{
    const size_t dot = path.rfind('.');
    return dot == std::string::npos ? std::string() : path.substr(dot + 1);
}

} // namespace

void CMainFrame::createFileCommands()
{
    QMenu *newFile = m_fileMenu->addMenu(QString::fromLatin1(kMenuNewFile));
    // ASP and JSP pages need the Code tab, which documents do not have yet.
    addCommand(newFile, ID_FILE_NEW_ASP, kMenuNewAsp)->setEnabled(false);
    addCommand(newFile, ID_FILE_NEW_JSP, kMenuNewJsp)->setEnabled(false);
    connect(addCommand(newFile, ID_FILE_NEW_WML, kMenuNewWml), &QAction::triggered, this,
            &CMainFrame::OnFileNewWml);

    QAction *open = addCommand(m_fileMenu, ID_FILE_OPEN, kMenuOpenFile);
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(open, &QAction::triggered, this, &CMainFrame::OnFileOpen);

    QAction *close = addCommand(m_fileMenu, ID_FILE_CLOSE, kMenuCloseFile);
    close->setEnabled(false);
    connect(close, &QAction::triggered, this, &CMainFrame::OnFileClose);
    const auto updateClose = [this, close] { close->setEnabled(m_mdiArea->currentSubWindow()); };
    connect(m_mdiArea, &QMdiArea::subWindowActivated, close, updateClose);
    connect(m_fileMenu, &QMenu::aboutToShow, close, updateClose);
}

void CMainFrame::setNewFileFlags(bool asp, bool jsp)
{
    m_newFileAsp = asp;
    m_newFileJsp = jsp;
}

CChildFrame *CMainFrame::activeChildFrame() const
{
    // The current window, which stays current while another program is
    // active.
    return m_mdiArea ? qobject_cast<CChildFrame *>(m_mdiArea->currentSubWindow()) : nullptr;
}

CChildFrame *CMainFrame::addChildFrame(CChildFrame *child)
{
    m_mdiArea->addSubWindow(child);
    connect(child->designWnd()->designView(), &CWMLDesignView::leaveFullScreenRequested, this,
            &CMainFrame::OnLeaveFullScreen);
    child->showMaximized();
    m_mdiArea->setActiveSubWindow(child);
    // Laid out once it has its size, so the scroll height fits the window.
    child->document().requestAlignAll();
    return child;
}

CChildFrame *CMainFrame::NewDocument()
{
    auto doc = std::make_unique<CBerthingDoc>();
    doc->setTitle(kNewDocumentName + std::to_string(++m_newDocumentCount));
    doc->setFileKind(m_newFileAsp, m_newFileJsp);
    return addChildFrame(new CChildFrame(std::move(doc)));
}

bool CMainFrame::OpenDocumentFile(const std::string &path, std::string *error)
{
    const std::string extension = extensionOf(path);
    if (extension == "asp" || extension == "jsp") {
        if (!openPlaceholderDocument(m_mdiArea, path, error))
            return false;
    } else {
        auto doc = std::make_unique<CBerthingDoc>();
        OutputSink sink(*this);
        if (!doc->openFile(path, TempDirPath, sink, error))
            return false;
        addChildFrame(new CChildFrame(std::move(doc)));
    }
    emit documentOpened(QString::fromStdString(path));
    return true;
}

void CMainFrame::OnFileNewWml()
{
    setNewFileFlags(false, false);
    if (CChildFrame *child = NewDocument())
        child->document().setFileKind(false, false);
}

void CMainFrame::OnFileOpen()
{
    Prompter::FileRequest request;
    request.title = kOpenFileTitle;
    request.filter = kOpenFileFilter;
    request.confirmOverwrite = false;
    const std::string path = Prompter::current().openFileName(request);
    if (path.empty())
        return;
    CurrentFilePath = path;
    const std::string extension = extensionOf(path);
    if (extension == "jsp")
        setNewFileFlags(false, true);
    else if (extension == "asp")
        setNewFileFlags(true, false);
    else if (extension == "wml")
        setNewFileFlags(false, false);

    std::string error;
    if (!OpenDocumentFile(path, &error)) {
        Prompter::current().message(error, Prompter::Icon::Stop);
        return;
    }
    if (CChildFrame *child = activeChildFrame()) {
        child->document().setFileKind(m_newFileAsp, m_newFileJsp);
        child->document().openedThroughOpenFile = true;
    }
}

void CMainFrame::OnFileClose()
{
    if (QMdiSubWindow *child = m_mdiArea->currentSubWindow())
        child->close();
}

} // namespace tess
