#pragma once

#include <QMainWindow>
#include <QTime>

#include <functional>
#include <map>
#include <string>

class QLabel;
class QMdiArea;
class QMenu;
class QTimer;

namespace tess {

class CCJTabCtrlBar;
class CChildFrame;
class CFileView;
class COPview;

// The program's one top-level window: documents in a central MDI area (a
// maximised one adds " - [its title]" to the window title), the
// docking "Workspace" (project tree) and "Output" bars, a status bar with a
// clock, and the menus of the frame without documents.
class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    enum class StatusPane { Message, LineColumn, Clock, CapsLock, NumLock, ScrollLock };
    using ClockSource = std::function<QTime()>;

    explicit CMainFrame(QWidget *parent = nullptr);
    ~CMainFrame() override;

    // Builds the layout in its fixed order; false when a bar cannot be made.
    bool Create();

    QMdiArea *mdiArea() const { return m_mdiArea; }
    CCJTabCtrlBar *workspaceBar() const { return m_workspaceBar; }
    CCJTabCtrlBar *outputBar() const { return m_outputBar; }
    // The Workspace bar's "Project" view and the Output bar's view.
    CFileView *fileView() const;
    COPview *outputView() const;

    // Brings the Output tab to the front and makes text its whole content.
    void showOutputMessage(const std::string &text);
    // The line and column pane, kept by the code editor.
    void setLineColumnText(const std::string &text);
    QString paneText(StatusPane pane) const;
    // Lock indicators are shown greyed while their lock is off.
    bool isIndicatorOn(StatusPane pane) const;

    // Docks bar again at its default place, at its requested size, and shows
    // it; used at creation and when the View menu brings a hidden bar back.
    void DockSizeBar(CCJTabCtrlBar *bar);

    // The menu item of a command, by its identifier; null when absent.
    QAction *commandAction(int commandId) const;
    // Opens a file as a document: WML files (any extension but .asp and
    // .jsp) in a document window whose deck is loaded through the text
    // pipeline, reporting to the Output bar. False, with the reason in
    // *error, when the file cannot be read. Announces documentOpened.
    bool OpenDocumentFile(const std::string &path, std::string *error);
    // A new, unnamed WML document showing the starting deck.
    CChildFrame *NewDocument();
    // The active document's window; null when none (or not a document).
    CChildFrame *activeChildFrame() const;

    // What kind of file the next new document is (both clear: WML).
    bool newFileAsp() const { return m_newFileAsp; }
    bool newFileJsp() const { return m_newFileJsp; }

    // Later menus go between View and Help.
    QMenu *fileMenu() const { return m_fileMenu; }
    QMenu *viewMenu() const { return m_viewMenu; }
    QMenu *helpMenu() const { return m_helpMenu; }

    // Where the clock reads the time; the local time unless replaced.
    void setClockSource(ClockSource source);
    QTimer *clockTimer() const { return m_clockTimer; }

public slots:
    void OnTimer();
    void OnFileNewWml();
    void OnFileOpen();
    void OnFileClose();
    // WM_LEAVE_FULLSCREEN: turns full-screen mode off when it is on; there
    // is no full-screen mode yet.
    void OnLeaveFullScreen() { }

signals:
    void documentOpened(const QString &path);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createStatusBar();
    void createMenus();
    void createFileCommands();
    void setNewFileFlags(bool asp, bool jsp);
    CChildFrame *addChildFrame(CChildFrame *child);
    bool createDockingBars();
    QAction *addCommand(QMenu *menu, int commandId, const char *text, bool checkable = false);
    void toggleBar(CCJTabCtrlBar *bar);
    void updateViewChecks();
    void toggleIndicator(StatusPane pane);
    QLabel *paneLabel(StatusPane pane) const;

    QMdiArea *m_mdiArea = nullptr;
    CCJTabCtrlBar *m_workspaceBar = nullptr;
    CCJTabCtrlBar *m_outputBar = nullptr;
    QLabel *m_lineColumnPane = nullptr;
    QLabel *m_clockPane = nullptr;
    QLabel *m_capsPane = nullptr;
    QLabel *m_numPane = nullptr;
    QLabel *m_scrollPane = nullptr;
    QMenu *m_fileMenu = nullptr;
    QMenu *m_viewMenu = nullptr;
    QMenu *m_helpMenu = nullptr;
    QTimer *m_clockTimer = nullptr;
    ClockSource m_clockSource;
    std::map<int, QAction *> m_commands;
    bool m_newFileAsp = false;
    bool m_newFileJsp = false;
    int m_newDocumentCount = 0;
};

} // namespace tess
