// Full-screen mode, the bars' context menu and the pane keys.
#include "gui/shell/MainWindow.h"

#include "app/Translation.h"
#include "gui/shell/DocumentTabs.h"
#include "gui/shell/DocumentWindow.h"
#include "gui/shell/ShellConstants.h"
#include "gui/shell/TabbedDock.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>

namespace tess {

namespace {

// A page that takes no focus itself hands it to the first widget inside it
// that does.
QWidget *focusTarget(QWidget *pane)
{
    if (pane->focusPolicy() != Qt::NoFocus)
        return pane;
    for (QWidget *w = pane->nextInFocusChain(); w && w != pane; w = w->nextInFocusChain()) {
        if (pane->isAncestorOf(w) && w->isVisible() && w->isEnabled()
            && (w->focusPolicy() & Qt::TabFocus))
            return w;
    }
    return pane;
}

} // namespace

void MainWindow::createViewExtras()
{
    QAction *full = m_commands.fullScreen = addCommand(m_viewMenu, kMenuFullScreen, true);
    setCommandPrompt(full, kPromptFullScreen);
    connect(full, &QAction::triggered, this, [this] { setFullScreenMode(!m_fullScreen.on); });
    m_documentActions.push_back(full);

    // Keys without a menu item belong to the window, so that they work
    // wherever the focus is inside it.
    m_commands.nextPane = new QAction(this);
    m_commands.nextPane->setShortcut(QKeySequence(Qt::Key_F6));
    connect(m_commands.nextPane, &QAction::triggered, this, [this] { focusPane(1); });
    m_commands.previousPane = new QAction(this);
    m_commands.previousPane->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6));
    connect(m_commands.previousPane, &QAction::triggered, this, [this] { focusPane(-1); });
    addActions({m_commands.nextPane, m_commands.previousPane});
}

void MainWindow::setControlsBarShown(bool shown)
{
    if (m_controlsBar)
        m_controlsBar->setVisible(shown);
    updateViewChecks();
}

void MainWindow::setFullScreenMode(bool on)
{
    if (on == m_fullScreen.on && (!on || m_fullScreen.bar))
        return;
    FullScreenState &state = m_fullScreen;
    if (on) {
        delete state.bar;
        state.toolbar = !m_mainToolbar->isHidden();
        state.controlsBar = !m_controlsBar->isHidden();
        state.workspace = !m_workspaceBar->isHidden();
        state.output = !m_outputBar->isHidden();
        state.statusBar = !statusBar()->isHidden();
        for (QWidget *bar : std::initializer_list<QWidget *> {
                 m_mainToolbar, m_controlsBar, m_workspaceBar, m_outputBar, statusBar()})
            bar->hide();

        // A small window of its own, above the full-screen one, that no
        // dock area takes in.
        state.bar = new QToolBar(translated(kFullScreenBarCaption), this);
        state.bar->setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
        state.bar->setWindowTitle(translated(kFullScreenBarCaption));
        state.bar->setMovable(false);
        state.bar->setFloatable(false);
        // Wide enough to show its caption and say what the button does.
        state.bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        // Its own button: the menu item is hidden while no document is open.
        QAction *button = state.bar->addAction(
            QApplication::style()->standardIcon(QStyle::SP_TitleBarNormalButton),
            translated(kButtonFullScreen));
        setCommandPrompt(button, kPromptFullScreen);
        connect(
            button, &QAction::triggered, this, [this] { setFullScreenMode(false); },
            Qt::QueuedConnection);

        state.maximized = isMaximized();
        state.place = state.maximized ? normalGeometry() : geometry();
        state.on = true;
        showFullScreen();
        const QRect screen = this->screen() ? this->screen()->availableGeometry() : geometry();
        state.bar->adjustSize();
        state.bar->move(screen.right() - state.bar->width() - 40, screen.top() + 40);
        state.bar->show();

        DocumentWindow *child = activeChildFrame();
        state.childMaximized = !child || child->isMaximized();
        if (child)
            child->showMaximized();
    } else {
        delete state.bar;
        state.bar = nullptr;
        state.on = false;
        const std::pair<QWidget *, bool> bars[] = {
            {m_mainToolbar, state.toolbar},
            {m_controlsBar, state.controlsBar},
            {statusBar(), state.statusBar},
        };
        for (const auto &[bar, shown] : bars)
            bar->setVisible(shown);
        // Docking bars come back at the place they had.
        for (const auto &[bar, shown] :
             {std::pair {m_workspaceBar, state.workspace}, std::pair {m_outputBar, state.output}})
            bar->setVisible(shown);
        showNormal();
        setGeometry(state.place);
        if (state.maximized)
            showMaximized();
        if (DocumentWindow *child = activeChildFrame(); child && !state.childMaximized)
            child->showNormal();
    }
    m_commands.fullScreen->setChecked(state.on);
    updateViewChecks();
}

QMenu *MainWindow::createPopupMenu()
{
    auto *menu = new QMenu(this);
    // The View items may be hidden from the menu bar while no document is
    // open; the bars' menu offers all of them, with their check marks.
    for (QAction *command :
         {m_commands.toolbar, m_commands.controlsBar, m_commands.statusBar,
          m_commands.workspaceWindow, m_commands.outputWindow, m_commands.fullScreen}) {
        QAction *item = menu->addAction(command->text());
        item->setCheckable(true);
        item->setChecked(command->isChecked());
        connect(item, &QAction::triggered, command,
                [command] { emit command->triggered(!command->isChecked()); });
    }
    return menu;
}

QList<QWidget *> MainWindow::panes() const
{
    QList<QWidget *> list;
    if (DocumentWindow *child = activeChildFrame())
        list << child->tabWindow()->currentWidget();
    for (TabbedDock *bar : {m_workspaceBar, m_outputBar}) {
        if (bar && bar->isVisible() && bar->GetActiveView())
            list << bar->GetActiveView();
    }
    return list;
}

void MainWindow::focusPane(int step)
{
    const QList<QWidget *> list = panes();
    if (list.isEmpty())
        return;
    qsizetype at = -1;
    for (qsizetype i = 0; i < list.size(); ++i) {
        QWidget *focus = QApplication::focusWidget();
        if (focus && (focus == list[i] || list[i]->isAncestorOf(focus)))
            at = i;
    }
    const qsizetype count = list.size();
    const qsizetype next = at < 0 ? (step > 0 ? 0 : count - 1) : (at + step + count) % count;
    focusTarget(list[next])->setFocus(Qt::ShortcutFocusReason);
}

} // namespace tess
