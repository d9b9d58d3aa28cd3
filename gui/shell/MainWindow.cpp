#include "gui/shell/MainWindow.h"

#include "app/AppContext.h"
#include "app/ClockText.h"
#include "app/LibraryVersions.h"
#include "app/SettingsKey.h"
#include "app/Translation.h"
#include "editor/DocumentSync.h"
#include "editor/Prompter.h"
#include "gui/code/CodeConstants.h"
#include "gui/code/OutputView.h"
#include "gui/shell/DocumentTabs.h"
#include "gui/shell/DocumentWindow.h"
#include "gui/shell/FeaturesDialog.h"
#include "gui/shell/HelpWindow.h"
#include "gui/shell/ProjectTree.h"
#include "gui/shell/ShellConstants.h"
#include "gui/shell/TabbedDock.h"
#include "gui/shell/TransferRun.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QIcon>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <tuple>

// The resources sit in a static library, whose unreferenced objects the
// linker drops; naming them here keeps them in.
static void initTessarineResources()
{
    Q_INIT_RESOURCE(tessarine);
}

namespace tess {

namespace {

QLabel *makePane(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

// The indicator panes keep their width whatever their state, as a sunken
// box sized for the text.
QLabel *makeIndicator(const char *text, QWidget *parent)
{
    QLabel *label = makePane(translated(text), parent);
    label->setMinimumWidth(label->sizeHint().width() + 8);
    label->setEnabled(false);
    return label;
}

} // namespace

// How the document windows reach the Output bar and the recent files.
class MainWindow::FrameHost : public SyncHost
{
public:
    explicit FrameHost(MainWindow &frame)
        : m_frame(frame)
    { }
    void showMessage(const std::string &text) override { m_frame.showOutputMessage(text); }
    void clearOutput() override
    {
        if (OutputView *view = m_frame.outputView())
            view->setMessage({});
    }
    void addRecentFile(const std::string &path) override { m_frame.addRecentFile(path); }
    void launchEmulator(const std::string &path, Launch how) override
    {
        m_frame.launchEmulator(path, how == Launch::HandOff);
    }
    void showStatus(const std::string &text) override
    {
        m_frame.statusBar()->showMessage(translated(text), kStatusNoticeMs);
    }

private:
    MainWindow &m_frame;
};

MainWindow::MainWindow(AppContext &context, Prompter &prompter, QWidget *parent)
    : QMainWindow(parent)
    , m_clockSource([] { return QTime::currentTime(); })
    , m_context(context)
    , m_prompter(prompter)
    , m_host(std::make_unique<FrameHost>(*this))
    , m_ftp(std::make_unique<FtpSession>(FtpServerList::defaultFilePath()))
{
    initTessarineResources();
    setWindowTitle(translated(kMainFrameTitle));
    setWindowIcon(QIcon(QString::fromLatin1(kProgramIconResource)));
}

SyncHost &MainWindow::host() const
{
    return *m_host;
}

MainWindow::~MainWindow()
{
    qApp->removeEventFilter(this);
    disconnect(this, &QWidget::windowTitleChanged, this, nullptr);
    // The bars report being hidden while the window is torn down, when the
    // check marks can no longer be reached.
    for (TabbedDock *bar : {m_workspaceBar, m_outputBar}) {
        if (bar)
            disconnect(bar, nullptr, this, nullptr);
    }
    for (QToolBar *bar : {m_mainToolbar, m_controlsBar}) {
        if (bar)
            disconnect(bar, nullptr, this, nullptr);
    }
    // The documents go first, while the menus they update still exist.
    if (m_mdiArea) {
        disconnect(m_mdiArea, nullptr, this, nullptr);
        // Closed ones waiting for their deletion included.
        for (DocumentWindow *child : m_mdiArea->findChildren<DocumentWindow *>()) {
            disconnect(child, nullptr, this, nullptr);
            delete child;
        }
    }
}

bool MainWindow::Create()
{
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);

    // The order matters to the layout: status bar, menu bar, toolbar, then
    // the other bars.
    createStatusBar();
    createMenus();
    createMainToolbar();
    if (!createControlsBar() || !createDockingBars())
        return false;

    m_clockTimer = new QTimer(this);
    m_clockTimer->setInterval(kClockIntervalMs);
    connect(m_clockTimer, &QTimer::timeout, this, &MainWindow::OnTimer);
    m_clockTimer->start();

    // Lock keys are seen wherever the focus is, so the whole application is
    // watched.
    qApp->installEventFilter(this);
    updateViewChecks();
    updateMenus();
    return true;
}

void MainWindow::createStatusBar()
{
    QStatusBar *bar = statusBar();
    m_lineColumnPane = makePane(translated(kLineColumnInitial), bar);
    m_clockPane = makePane(QString::fromLatin1(kClockInitial), bar);
    m_capsPane = makeIndicator(kCapsLockIndicator, bar);
    m_numPane = makeIndicator(kNumLockIndicator, bar);
    m_scrollPane = makeIndicator(kScrollLockIndicator, bar);
    // The message pane is the bar's own message area; the others stay put
    // while it shows a message.
    for (QLabel *pane : {m_lineColumnPane, m_clockPane, m_capsPane, m_numPane, m_scrollPane})
        bar->addPermanentWidget(pane);
}

QAction *MainWindow::addCommand(QMenu *menu, const char *text, bool checkable)
{
    QAction *action = menu->addAction(translated(text));
    action->setCheckable(checkable);
    return action;
}

void MainWindow::createMenus()
{
    m_fileMenu = menuBar()->addMenu(translated(kMenuFile));
    createFileCommands();
    m_recentSeparator = m_fileMenu->addSeparator();
    m_commands.exit = addCommand(m_fileMenu, kMenuExit);
    connect(m_commands.exit, &QAction::triggered, this, &QWidget::close);
    rebuildRecentFiles();

    m_editMenu = menuBar()->addMenu(translated(kMenuEdit));
    createEditCommands();

    m_viewMenu = menuBar()->addMenu(translated(kMenuView));
    m_commands.statusBar = addCommand(m_viewMenu, kMenuStatusBar, true);
    connect(m_commands.statusBar, &QAction::triggered, this, [this] {
        statusBar()->setVisible(statusBar()->isHidden());
        updateViewChecks();
    });
    m_commands.workspaceWindow = addCommand(m_viewMenu, kMenuWorkspaceWindow, true);
    connect(m_commands.workspaceWindow, &QAction::triggered, this,
            [this] { toggleBar(m_workspaceBar); });
    m_commands.outputWindow = addCommand(m_viewMenu, kMenuOutputWindow, true);
    connect(m_commands.outputWindow, &QAction::triggered, this, [this] { toggleBar(m_outputBar); });
    // Without a document, View has only the toolbar and the status bar.
    m_documentActions.push_back(m_commands.workspaceWindow);
    m_documentActions.push_back(m_commands.outputWindow);
    createProjectMenu();
    createControlCommands();
    createViewExtras();
    // The check marks follow the bars however they were hidden (their own
    // close button included).
    connect(m_viewMenu, &QMenu::aboutToShow, this, &MainWindow::updateViewChecks);

    m_toolsMenu = menuBar()->addMenu(translated(kMenuTools));
    createToolsCommands();
    m_windowMenu = menuBar()->addMenu(translated(kMenuWindow));
    createWindowCommands();

    m_helpMenu = menuBar()->addMenu(translated(kMenuHelp));
    m_commands.features = addCommand(m_helpMenu, kMenuFeatures);
    connect(m_commands.features, &QAction::triggered, this, [this] {
        FeaturesDialog features(this);
        features.exec();
    });
    m_commands.about = addCommand(m_helpMenu, kMenuAbout);
    connect(m_commands.about, &QAction::triggered, this, [this] {
        m_prompter.message(aboutText(), Prompter::Icon::Information, Prompter::Buttons::Ok,
                           kAboutCaption);
    });
    m_commands.help = addCommand(m_helpMenu, kMenuHelpTopics);
    m_commands.help->setShortcut(QKeySequence(Qt::Key_F1));
    setCommandPrompt(m_commands.help, kPromptHelp);
    connect(m_commands.help, &QAction::triggered, this, &MainWindow::OnHelp);
    addCommonKeys();
}

HelpWindow *MainWindow::helpWindow() const
{
    return m_helpWindow;
}

void MainWindow::OnHelp()
{
    const SettingsKey key
        = m_context.settingsPath.empty() ? SettingsKey() : SettingsKey(m_context.settingsPath);
    const std::string index = manualIndexPath(key);
    if (!QFileInfo(QString::fromStdString(index)).isFile()) {
        m_prompter.message(
            translated(kHelpManualMissing).arg(QString::fromStdString(index)).toStdString(),
            Prompter::Icon::Information);
        return;
    }
    // One window, shown again at the first page however it was left.
    if (!m_helpWindow)
        m_helpWindow = new HelpWindow(this);
    m_helpWindow->showHome(QString::fromStdString(index));
    m_helpWindow->show();
    m_helpWindow->raise();
    m_helpWindow->activateWindow();
}

// The keys other editors have taught users, beside the menus' own: the
// platform's for each command, and the usual one wherever the platform has
// another or none.
void MainWindow::addCommonKeys()
{
    const std::tuple<QAction *, QKeySequence::StandardKey, QKeySequence> keys[] = {
        {m_commands.newWml, QKeySequence::New, QKeySequence(Qt::CTRL | Qt::Key_N)},
        {m_commands.save, QKeySequence::Save, QKeySequence(Qt::CTRL | Qt::Key_S)},
        {m_commands.find, QKeySequence::Find, QKeySequence(Qt::CTRL | Qt::Key_F)},
        {m_commands.replace, QKeySequence::Replace, QKeySequence(Qt::CTRL | Qt::Key_H)},
    };
    for (const auto &[action, standard, usual] : keys) {
        QList<QKeySequence> shortcuts = action->shortcuts();
        const QList<QKeySequence> wanted = QKeySequence::keyBindings(standard) << usual;
        for (const QKeySequence &key : wanted) {
            if (!shortcuts.contains(key))
                shortcuts << key;
        }
        action->setShortcuts(shortcuts);
    }
}

bool MainWindow::createDockingBars()
{
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);
    const QSize requested(kBarRequestedWidth, kBarRequestedHeight);

    m_workspaceBar
        = new TabbedDock(translated(kWorkspaceCaption), requested, Qt::LeftDockWidgetArea, this);
    auto *tree = new ProjectTree(m_prompter);
    connectProjectTree(tree);
    m_workspaceBar->AddView(translated(kProjectTabLabel), tree);
    if (!m_workspaceBar->SetTabImageList(QPixmap(QString::fromLatin1(kWorkspaceTabImages)),
                                         kTabImageWidth))
        return false;

    m_outputBar
        = new TabbedDock(translated(kOutputCaption), requested, Qt::BottomDockWidgetArea, this);
    auto *output = new OutputView;
    connect(output, &OutputView::lineActivated, this, [this](int line) {
        if (DocumentWindow *child = activeChildFrame())
            child->tabWindow()->goToLine(line);
    });
    m_outputBar->AddView(translated(kOutputTabLabel), output);
    if (!m_outputBar->SetTabImageList(QPixmap(QString::fromLatin1(kOutputTabImages)),
                                      kTabImageWidth))
        return false;

    for (TabbedDock *bar : {m_workspaceBar, m_outputBar}) {
        connect(bar, &QDockWidget::visibilityChanged, this, &MainWindow::updateViewChecks);
        DockSizeBar(bar);
    }
    m_workspaceBar->SetActiveView(0);
    m_outputBar->SetActiveView(0);
    return true;
}

void MainWindow::DockSizeBar(TabbedDock *bar)
{
    if (!bar)
        return;
    if (bar->isFloating())
        bar->setFloating(false);
    const Qt::DockWidgetArea area = bar->defaultArea();
    addDockWidget(area, bar);
    bar->show();
    const bool side = area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea;
    resizeDocks({bar}, {side ? bar->requestedSize().width() : bar->requestedSize().height()},
                side ? Qt::Horizontal : Qt::Vertical);
}

void MainWindow::toggleBar(TabbedDock *bar)
{
    if (bar->isHidden())
        DockSizeBar(bar);
    else
        bar->hide();
    updateViewChecks();
}

void MainWindow::updateViewChecks()
{
    const auto check = [](QAction *action, bool on) {
        if (action)
            action->setChecked(on);
    };
    check(m_commands.toolbar, m_mainToolbar && !m_mainToolbar->isHidden());
    check(m_commands.statusBar, !statusBar()->isHidden());
    check(m_commands.workspaceWindow, m_workspaceBar && !m_workspaceBar->isHidden());
    check(m_commands.outputWindow, m_outputBar && !m_outputBar->isHidden());
    check(m_commands.controlsBar, m_controlsBar && !m_controlsBar->isHidden());
    check(m_commands.fullScreen, m_fullScreen.on);
}

ProjectTree *MainWindow::fileView() const
{
    return m_workspaceBar ? qobject_cast<ProjectTree *>(m_workspaceBar->GetView(0)) : nullptr;
}

OutputView *MainWindow::outputView() const
{
    return m_outputBar ? qobject_cast<OutputView *>(m_outputBar->GetView(0)) : nullptr;
}

void MainWindow::showOutputMessage(const std::string &text)
{
    if (!m_outputBar)
        return;
    m_outputBar->SetActiveView(0);
    if (auto *view = qobject_cast<OutputView *>(m_outputBar->GetActiveView()))
        view->setMessage(text);
}

void MainWindow::setLineColumnText(const std::string &text)
{
    if (m_lineColumnPane)
        m_lineColumnPane->setText(QString::fromStdString(text));
}

QLabel *MainWindow::paneLabel(StatusPane pane) const
{
    switch (pane) {
    case StatusPane::Message:
        return nullptr;
    case StatusPane::LineColumn:
        return m_lineColumnPane;
    case StatusPane::Clock:
        return m_clockPane;
    case StatusPane::CapsLock:
        return m_capsPane;
    case StatusPane::NumLock:
        return m_numPane;
    case StatusPane::ScrollLock:
        return m_scrollPane;
    }
    return nullptr;
}

QString MainWindow::paneText(StatusPane pane) const
{
    if (pane == StatusPane::Message)
        return statusBar()->currentMessage();
    QLabel *label = paneLabel(pane);
    return label ? label->text() : QString();
}

bool MainWindow::isIndicatorOn(StatusPane pane) const
{
    const bool lock = pane == StatusPane::CapsLock || pane == StatusPane::NumLock
        || pane == StatusPane::ScrollLock;
    return lock && !paneLabel(pane)->testAttribute(Qt::WA_ForceDisabled);
}

void MainWindow::toggleIndicator(StatusPane pane)
{
    if (QLabel *label = paneLabel(pane))
        label->setEnabled(!isIndicatorOn(pane));
}

void MainWindow::setClockSource(ClockSource source)
{
    m_clockSource = std::move(source);
}

void MainWindow::OnTimer()
{
    const QTime now = m_clockSource();
    m_clockPane->setText(QString::fromStdString(ClockText(now.hour(), now.minute(), now.second())));
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_mdiArea) {
        // Every document is asked first, so that a Cancel closes nothing.
        const QList<QMdiSubWindow *> children = m_mdiArea->subWindowList();
        for (QMdiSubWindow *child : children) {
            auto *frame = qobject_cast<DocumentWindow *>(child);
            if (frame && !frame->approveClose()) {
                event->ignore();
                return;
            }
        }
        for (QMdiSubWindow *child : children) {
            if (!child->close()) {
                event->ignore();
                return;
            }
        }
    }
    // The window's place is left as it was before full screen.
    setFullScreenMode(false);
    QMainWindow::closeEvent(event);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Qt cannot ask for the lock states, so the indicators follow the lock
    // keys pressed while the program runs, starting from off. A key event
    // that travels up to the parents is seen once per widget; only the first
    // delivery, to the focus widget (or the window when nothing has the
    // focus), counts.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto *key = static_cast<QKeyEvent *>(event);
        auto *widget = static_cast<QWidget *>(watched);
        QWidget *focus = QApplication::focusWidget();
        const bool first = focus ? widget == focus : widget->isWindow();
        if (first && !key->isAutoRepeat()) {
            switch (key->key()) {
            case Qt::Key_CapsLock:
                toggleIndicator(StatusPane::CapsLock);
                break;
            case Qt::Key_NumLock:
                toggleIndicator(StatusPane::NumLock);
                break;
            case Qt::Key_ScrollLock:
                toggleIndicator(StatusPane::ScrollLock);
                break;
            default:
                break;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace tess
