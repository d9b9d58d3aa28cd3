#pragma once

#include "wml/ServerCodeMask.h"

#include <QMainWindow>
#include <QPointer>
#include <QTime>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QMdiArea;
class QMenu;
class QPrinter;
class QUndoStack;
class QTimer;
class QToolBar;

namespace tess {

class AppContext;
class SettingsKey;
class Prompter;
class TabbedDock;
class DocumentWindow;
class HelpWindow;
class ProjectTree;
struct FtpSession;
class OutputView;
class RecentFileList;
class SyncHost;
class DeckCodeEditor;
enum class ControlCommand;

// The program's one top-level window: documents in a central MDI area (a
// maximised one adds " - [its title]" to the window title, any other active
// one " - its title"), the main toolbar, the docking "Workspace" (project
// tree) and "Output" bars, a status bar with a clock, and the menus. The
// items that serve a document only (Save, Save As, Print, Close File, Edit,
// Tools > Compile, Window) are shown while one is open and hidden otherwise.
// Its documents share the application's context and prompter.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    enum class StatusPane { Message, LineColumn, Clock, CapsLock, NumLock, ScrollLock };
    using ClockSource = std::function<QTime()>;
    // What a WML controls item or button does to the active document.
    using DocumentCommand = std::function<void(DocumentWindow &)>;

    MainWindow(AppContext &context, Prompter &prompter, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Builds the layout in its fixed order; false when a bar cannot be made.
    bool Create();

    QMdiArea *mdiArea() const { return m_mdiArea; }
    TabbedDock *workspaceBar() const { return m_workspaceBar; }
    TabbedDock *outputBar() const { return m_outputBar; }
    // The Workspace bar's "Project" view and the Output bar's view.
    ProjectTree *fileView() const;
    OutputView *outputView() const;

    // Brings the Output tab to the front and makes text its whole content.
    void showOutputMessage(const std::string &text);
    // The line and column pane, kept by the code editor.
    void setLineColumnText(const std::string &text);
    QString paneText(StatusPane pane) const;
    // Lock indicators are shown greyed while their lock is off.
    bool isIndicatorOn(StatusPane pane) const;

    // Docks bar again at its default place, at its requested size, and shows
    // it; used at creation and when the View menu brings a hidden bar back.
    void DockSizeBar(TabbedDock *bar);

    // The items of the menus, and the Designing bar's buttons that are not
    // W&ML Controls items.
    struct Commands
    {
        QAction *newAsp = nullptr;
        QAction *newJsp = nullptr;
        QAction *newWml = nullptr;
        QAction *open = nullptr;
        QAction *close = nullptr;
        QAction *save = nullptr;
        QAction *saveAs = nullptr;
        QAction *print = nullptr;
        QAction *exit = nullptr;
        QAction *undo = nullptr;
        QAction *redo = nullptr;
        QAction *cut = nullptr;
        QAction *copy = nullptr;
        QAction *paste = nullptr;
        QAction *selectAll = nullptr;
        QAction *find = nullptr;
        QAction *replace = nullptr;
        QAction *toolbar = nullptr;
        QAction *controlsBar = nullptr;
        QAction *statusBar = nullptr;
        QAction *workspaceWindow = nullptr;
        QAction *outputWindow = nullptr;
        QAction *compile = nullptr;
        QAction *cascade = nullptr;
        QAction *tileHorizontally = nullptr;
        QAction *tileVertically = nullptr;
        QAction *arrangeIcons = nullptr;
        QAction *features = nullptr;
        QAction *about = nullptr;
        QAction *deselect = nullptr;
        QAction *preview = nullptr;
        QAction *newProject = nullptr;
        QAction *openProject = nullptr;
        QAction *closeProject = nullptr;
        QAction *addFiles = nullptr;
        QAction *deleteFile = nullptr;
        QAction *fullScreen = nullptr;
        QAction *invokeEmulator = nullptr;
        QAction *userPreference = nullptr;
        QAction *upload = nullptr;
        QAction *download = nullptr;
        QAction *help = nullptr;
        // F6 and Shift+F6: the keyboard focus to the next or previous pane.
        QAction *nextPane = nullptr;
        QAction *previousPane = nullptr;
    };
    const Commands &commands() const { return m_commands; }
    // The recent files' items of the File menu; a disabled "Recent File"
    // while there are none.
    const std::vector<QAction *> &recentFileActions() const { return m_recentActions; }
    // A WML control's W&ML Controls item (none for the ASP and JSP tags) and
    // its Designing bar button, which for Optgroup and Image is another
    // action than the item.
    QAction *controlItem(ControlCommand command) const;
    QAction *controlButton(ControlCommand command) const;
    // Opens a file as a document: the new-file flags follow its extension
    // (".asp", ".jsp", ".wml"; any other leaves them), a WML document loads
    // its deck, an ASP or JSP page shows its text on the Code tab. False,
    // with the reason in *error, when the file cannot be read. Announces
    // documentOpened.
    bool OpenDocumentFile(const std::string &path, std::string *error);
    // A new, unnamed document of the kind the new-file flags say.
    DocumentWindow *NewDocument();
    // The active document's window; null when none (or not a document).
    DocumentWindow *activeChildFrame() const;
    // The window of the document open on `path` (the same file by any
    // name), or null.
    DocumentWindow *childFrameOf(const std::string &path) const;

    // Prints the code view of the active document while its Code tab is
    // shown; false, printing nothing, otherwise.
    bool printCode(QPrinter &printer);

    // The list shown at the end of the File menu; none until set.
    void setRecentFileList(RecentFileList *list);
    // Puts path first in the recent files, saves and shows them.
    void addRecentFile(const std::string &path);

    // What kind of file the next new document is.
    PageKind newFileKind() const { return m_newFileKind; }

    // The main toolbar: its buttons follow the menus' commands, and those
    // the program cannot carry out yet stay disabled.
    QToolBar *mainToolbar() const { return m_mainToolbar; }
    // The WML controls bar "Designing"; hidden until View shows it.
    QToolBar *wmlControlsBar() const { return m_controlsBar; }
    // The menus and items shown and enabled for the active document (or
    // for none), as before a menu opens.
    void updateMenus();

    // Full-screen mode: the window covers the screen with no bars but a
    // floating one holding the Full Screen button; turning it off brings
    // back each bar that was shown, the window's place and the active
    // document's maximised or normal state.
    void setFullScreenMode(bool on);
    bool isFullScreenMode() const { return m_fullScreen.on; }
    QToolBar *fullScreenBar() const { return m_fullScreen.bar; }
    // The bars' context menu: the bar and full-screen toggles of View.
    QMenu *createPopupMenu() override;
    // The panes F6 cycles through, in order: the active document, then the
    // Workspace and Output bars' views while shown.
    QList<QWidget *> panes() const;
    void focusPane(int step);
    // Asks to save each modified document (Yes saves it, No passes over it);
    // false when the user cancelled. The documents stay open.
    bool saveAllModified();
    // The Designing bar, shown or not as the user last left it.
    void setControlsBarShown(bool shown);

    // What the Upload and Download dialogs share: remembered servers and
    // the certificates accepted in this session.
    FtpSession &ftpSession() const { return *m_ftp; }
    // The manual's window once Help has opened it; null before.
    HelpWindow *helpWindow() const;

    // Where the clock reads the time; the local time unless replaced.
    void setClockSource(ClockSource source);
    QTimer *clockTimer() const { return m_clockTimer; }

public slots:
    void OnTimer();
    void OnFileNewAsp();
    void OnFileNewJsp();
    void OnFileNewWml();
    void OnFileOpen();
    void OnFileClose();
    void OnFileSave();
    void OnNewProject();
    void OnOpenProject();
    void OnCloseProject();
    void OnAddFilesToProject();
    void OnDeleteFileFromProject();
    // Asks for a printer and prints the code view.
    void OnFilePrint();
    void OnCompile();
    // The User Preference dialog; the code views take its colours and font,
    // the active deck's DOCTYPE its DTD. True when it was accepted.
    bool OnUserPreference();
    // Shows a deck that is ready in the emulator: the one named in the
    // preferences, else the one installed beside the program, else the
    // user is asked to name one. `handOff`: a running emulator is told of
    // the deck rather than a new one started.
    void launchEmulator(const std::string &deckPath, bool handOff);
    // Upload needs the project tree and a project in it; Download needs
    // nothing.
    void OnUpload();
    void OnDownload();
    // Help > Tessarine Help: the manual in the help window, or a message
    // naming where it was looked for.
    void OnHelp();
    void OnWindowCascade();
    void OnWindowTileHorizontally();
    void OnWindowTileVertically();
    void OnWindowArrangeIcons();
    // Enabling and check marks of the WML controls for the active document;
    // with none, the controls stay enabled and do nothing.
    void updateControlCommands();
    // Escape in a design view or the project tree: turns full-screen mode
    // off when it is on.
    void OnLeaveFullScreen() { setFullScreenMode(false); }

signals:
    void documentOpened(const std::string &path);
    // The Designing bar was shown or hidden by the user.
    void controlsBarToggled(bool shown);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Each document is asked to close first; one that stays open keeps the
    // window open.
    void closeEvent(QCloseEvent *event) override;

private:
    class FrameHost;

    void createStatusBar();
    SettingsKey settingsKey() const;
    // The preferences dialog; *emulatorPath receives its emulator field as
    // the dialog closed, however it closed.
    bool runPreferences(std::string *emulatorPath);
    // Full Screen, the pane keys, and the items that wait for their work.
    void createViewExtras();
    void createLaterCommands();
    void createMenus();
    void createFileCommands();
    // New, Open and Close Project in the File menu; the Project menu.
    void createProjectFileCommands();
    void createProjectMenu();
    void connectProjectTree(ProjectTree *tree);
    // Close, Add Files, Delete File and Upload serve an open project only.
    void updateProjectCommands();
    // Offers every modified document for saving, then closes them all;
    // false, closing none, when the user cancelled.
    bool closeAllDocuments();
    // Shows the project file in the tree, on the Workspace bar's front tab.
    void loadProject(const std::string &path);
    // Opens the file of a project entry as a document.
    void openProjectEntry(const std::string &path);
    void createMainToolbar();
    void createEditCommands();
    // The design history of the active document while its Design tab shows.
    QUndoStack *activeDesignHistory() const;
    void createToolsCommands();
    void createWindowCommands();
    void rebuildWindowList();
    void addCommonKeys();
    void createControlCommands();
    bool createControlsBar();
    // Runs command on the active document, if any, and updates the controls.
    void runOnActiveDocument(const DocumentCommand &command);
    void rebuildRecentFiles();
    void openRecentFile(const std::string &path);
    void newFile(PageKind kind);
    DocumentWindow *addChildFrame(DocumentWindow *child);
    void updateTitle();
    // Status bar text and tooltip from a prompt "status\ntooltip".
    static void setCommandPrompt(QAction *action, const char *prompt);
    // The code view of the active document while its Code tab is shown.
    DeckCodeEditor *activeCodeView() const;
    SyncHost &host() const;
    bool createDockingBars();
    QAction *addCommand(QMenu *menu, const char *text, bool checkable = false);
    void toggleBar(TabbedDock *bar);
    void updateViewChecks();
    void toggleIndicator(StatusPane pane);
    QLabel *paneLabel(StatusPane pane) const;

    struct FullScreenState
    {
        bool on = false;
        QRect place;
        bool maximized = false;
        bool toolbar = false;
        bool controlsBar = false;
        bool workspace = false;
        bool output = false;
        bool statusBar = false;
        bool childMaximized = false;
        QToolBar *bar = nullptr;
    };
    FullScreenState m_fullScreen;

    QMdiArea *m_mdiArea = nullptr;
    TabbedDock *m_workspaceBar = nullptr;
    TabbedDock *m_outputBar = nullptr;
    QLabel *m_lineColumnPane = nullptr;
    QLabel *m_clockPane = nullptr;
    QLabel *m_capsPane = nullptr;
    QLabel *m_numPane = nullptr;
    QLabel *m_scrollPane = nullptr;
    QMenu *m_fileMenu = nullptr;
    QMenu *m_editMenu = nullptr;
    QMenu *m_viewMenu = nullptr;
    QMenu *m_toolsMenu = nullptr;
    QMenu *m_windowMenu = nullptr;
    QMenu *m_helpMenu = nullptr;
    QMenu *m_projectMenu = nullptr;
    QMenu *m_controlsMenu = nullptr;
    QMenu *m_newFileMenu = nullptr;
    QToolBar *m_mainToolbar = nullptr;
    QToolBar *m_controlsBar = nullptr;
    // Every WML control's menu item and bar button: the bar's Optgroup and
    // Image buttons are one-state, unlike their items, and the code block
    // tools have a button only.
    struct ControlActions
    {
        ControlCommand command;
        QAction *item = nullptr;
        QAction *button = nullptr;
    };
    std::vector<ControlActions> m_controls;
    QAction *m_recentSeparator = nullptr;
    std::vector<QAction *> m_recentActions;
    // The Window menu's list of the open windows, its separator first.
    std::vector<QAction *> m_windowActions;
    // Items shown only while a document is open.
    std::vector<QAction *> m_documentActions;
    RecentFileList *m_recent = nullptr;
    QTimer *m_clockTimer = nullptr;
    ClockSource m_clockSource;
    AppContext &m_context;
    Prompter &m_prompter;
    std::unique_ptr<FrameHost> m_host;
    std::unique_ptr<FtpSession> m_ftp;
    QPointer<HelpWindow> m_helpWindow;
    // Set by Close Project, even when the user kept it open; cleared when a
    // project loads or gets files. Upload waits while it is set.
    bool m_uploadBlocked = false;
    Commands m_commands;
    PageKind m_newFileKind = PageKind::Wml;
    int m_newDocumentCount = 0;
};

} // namespace tess
