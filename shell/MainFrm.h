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
    // Later menus go between View and Help.
    QMenu *fileMenu() const { return m_fileMenu; }
    QMenu *viewMenu() const { return m_viewMenu; }
    QMenu *helpMenu() const { return m_helpMenu; }

    // Where the clock reads the time; the local time unless replaced.
    void setClockSource(ClockSource source);
    QTimer *clockTimer() const { return m_clockTimer; }

public slots:
    void OnTimer();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createStatusBar();
    void createMenus();
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
};

} // namespace tess
