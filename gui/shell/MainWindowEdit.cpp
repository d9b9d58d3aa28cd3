// The Edit menu, which works on the active document's code view, and the
// Window menu, which arranges and lists the document windows.
#include "gui/shell/MainWindow.h"

#include "editor/DeckDocument.h"
#include "editor/DocumentSync.h"
#include "gui/code/CodeConstants.h"
#include "gui/code/DeckCodeEditor.h"
#include "gui/code/FindReplaceDialog.h"
#include "gui/shell/DocumentTabs.h"
#include "gui/shell/DocumentWindow.h"
#include "gui/shell/ShellConstants.h"

#include <QAction>
#include <QKeySequence>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QStyle>
#include <QUndoStack>

#include <algorithm>

namespace tess {

DeckCodeEditor *MainWindow::activeCodeView() const
{
    DocumentWindow *child = activeChildFrame();
    if (!child || child->tabWindow()->currentIndex() != CodeTab)
        return nullptr;
    return child->tabWindow()->codeView();
}

QUndoStack *MainWindow::activeDesignHistory() const
{
    DocumentWindow *child = activeChildFrame();
    if (!child || child->tabWindow()->currentIndex() != DesignTab)
        return nullptr;
    return child->document().undoStack();
}

void MainWindow::createEditCommands()
{
    struct EditCommand
    {
        QAction *Commands::*action;
        const char *text;
        QList<QKeySequence> keys;
        void (CodeEditor::*slot)();
    };
    // Undo and Redo serve the code view on the Code tab and the history of
    // design edits on the Design tab.
    for (const bool back : {true, false}) {
        QAction *action = addCommand(m_editMenu, back ? kMenuUndo : kMenuRedo);
        (back ? m_commands.undo : m_commands.redo) = action;
        action->setShortcuts(
            back ? QList<QKeySequence> {QKeySequence(Qt::CTRL | Qt::Key_Z),
                                        QKeySequence(Qt::ALT | Qt::Key_Backspace)}
                 : QList<QKeySequence> {QKeySequence(Qt::CTRL | Qt::Key_Y),
                                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
        connect(action, &QAction::triggered, this, [this, back] {
            if (DeckCodeEditor *view = activeCodeView())
                back ? view->editUndo() : view->editRedo();
            else if (QUndoStack *history = activeDesignHistory())
                back ? history->undo() : history->redo();
        });
    }
    const EditCommand edits[] = {
        {&Commands::cut,
         kMenuCut,
         {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)},
         &CodeEditor::editCut},
        {&Commands::copy,
         kMenuCopy,
         {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)},
         &CodeEditor::editCopy},
        {&Commands::paste,
         kMenuPaste,
         {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)},
         &CodeEditor::editPaste},
        {&Commands::selectAll,
         kMenuSelectAll,
         {QKeySequence(Qt::CTRL | Qt::Key_A)},
         &CodeEditor::editSelectAll},
    };
    for (const EditCommand &c : edits) {
        QAction *action = m_commands.*c.action = addCommand(m_editMenu, c.text);
        action->setShortcuts(c.keys);
        // The view's own keys win while it has the focus; the shortcuts
        // serve when the focus is elsewhere in the window.
        connect(action, &QAction::triggered, this, [this, slot = c.slot] {
            if (DeckCodeEditor *view = activeCodeView())
                (view->*slot)();
        });
    }
    setCommandPrompt(m_commands.selectAll, kPromptSelectAll);
    m_editMenu->addSeparator();
    for (const FindReplaceDialog::Mode mode :
         {FindReplaceDialog::Mode::Find, FindReplaceDialog::Mode::Replace}) {
        const bool find = mode == FindReplaceDialog::Mode::Find;
        QAction *action = addCommand(m_editMenu, find ? kMenuFind : kMenuReplace);
        (find ? m_commands.find : m_commands.replace) = action;
        connect(action, &QAction::triggered, this, [this, mode] {
            if (DeckCodeEditor *view = activeCodeView())
                FindReplaceDialog::open(mode, this, view);
        });
    }
}

void MainWindow::createWindowCommands()
{
    m_commands.cascade = addCommand(m_windowMenu, kMenuCascade);
    connect(m_commands.cascade, &QAction::triggered, this, &MainWindow::OnWindowCascade);
    m_commands.tileHorizontally = addCommand(m_windowMenu, kMenuTileHorizontally);
    connect(m_commands.tileHorizontally, &QAction::triggered, this,
            &MainWindow::OnWindowTileHorizontally);
    m_commands.tileVertically = addCommand(m_windowMenu, kMenuTileVertically);
    connect(m_commands.tileVertically, &QAction::triggered, this,
            &MainWindow::OnWindowTileVertically);
    m_commands.arrangeIcons = addCommand(m_windowMenu, kMenuArrangeIcons);
    connect(m_commands.arrangeIcons, &QAction::triggered, this, &MainWindow::OnWindowArrangeIcons);
    connect(m_windowMenu, &QMenu::aboutToShow, this, &MainWindow::rebuildWindowList);
}

// The open windows follow the arranging items as "&1 name" and so on, the
// active one checked.
void MainWindow::rebuildWindowList()
{
    for (QAction *action : m_windowActions) {
        m_windowMenu->removeAction(action);
        delete action;
    }
    m_windowActions.clear();
    const QList<QMdiSubWindow *> windows = m_mdiArea->subWindowList();
    if (windows.isEmpty())
        return;
    m_windowActions.push_back(m_windowMenu->addSeparator());
    const QMdiSubWindow *active = m_mdiArea->currentSubWindow();
    int number = 0;
    for (QMdiSubWindow *window : windows) {
        auto *child = qobject_cast<DocumentWindow *>(window);
        QString name
            = child ? QString::fromStdString(child->document().title()) : window->windowTitle();
        // An ampersand in a file name is shown, not taken as a mnemonic.
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        ++number;
        const QString text = number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(name)
                                         : QStringLiteral("%1 %2").arg(number).arg(name);
        QAction *action = m_windowMenu->addAction(text);
        action->setCheckable(true);
        action->setChecked(window == active);
        connect(action, &QAction::triggered, this, [this, window = QPointer(window)] {
            if (!window)
                return;
            if (window->isMinimized())
                window->showNormal();
            m_mdiArea->setActiveSubWindow(window);
        });
        m_windowActions.push_back(action);
    }
}

namespace {

// The windows that are neither minimised nor hidden, shown normal and laid
// side by side across the area (or one above another).
void tile(QMdiArea *area, bool sideBySide)
{
    QList<QMdiSubWindow *> windows;
    for (QMdiSubWindow *window : area->subWindowList()) {
        if (!window->isMinimized() && !window->isHidden())
            windows << window;
    }
    if (windows.isEmpty())
        return;
    const QRect space = area->viewport()->rect();
    const int n = int(windows.size());
    const int step = (sideBySide ? space.width() : space.height()) / n;
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow *window = windows[i];
        window->showNormal();
        // The last window takes what the division left over.
        const int extent
            = i == n - 1 ? (sideBySide ? space.width() : space.height()) - i * step : step;
        window->setGeometry(sideBySide ? QRect(i * step, 0, extent, space.height())
                                       : QRect(0, i * step, space.width(), extent));
    }
}

} // namespace

// Each window keeps at least two thirds of the area each way, one title bar
// lower and to the right of the one before, starting again at the top left
// when the next would reach past the area; the active one ends on top.
void MainWindow::OnWindowCascade()
{
    QList<QMdiSubWindow *> windows;
    for (QMdiSubWindow *window : m_mdiArea->subWindowList(QMdiArea::StackingOrder)) {
        if (!window->isMinimized() && !window->isHidden())
            windows << window;
    }
    if (windows.isEmpty())
        return;
    const QRect space = m_mdiArea->viewport()->rect();
    const int step = std::max(
        windows.front()->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, windows.front()),
        8);
    const int spread = step * int(windows.size() - 1);
    const QSize size(std::max(space.width() * 2 / 3, space.width() - spread),
                     std::max(space.height() * 2 / 3, space.height() - spread));
    const int run
        = std::min(space.width() - size.width(), space.height() - size.height()) / step + 1;
    QMdiSubWindow *active = m_mdiArea->currentSubWindow();
    for (int i = 0; i < windows.size(); ++i) {
        const int offset = (i % run) * step;
        windows[i]->showNormal();
        windows[i]->setGeometry(QRect(QPoint(offset, offset), size));
    }
    if (active)
        m_mdiArea->setActiveSubWindow(active);
}

void MainWindow::OnWindowTileHorizontally()
{
    tile(m_mdiArea, false);
}

void MainWindow::OnWindowTileVertically()
{
    tile(m_mdiArea, true);
}

// Minimised windows line up along the bottom edge, left to right.
void MainWindow::OnWindowArrangeIcons()
{
    const QRect space = m_mdiArea->viewport()->rect();
    int x = 0;
    for (QMdiSubWindow *window : m_mdiArea->subWindowList()) {
        if (!window->isMinimized())
            continue;
        window->move(x, space.height() - window->height());
        x += window->width();
    }
}

} // namespace tess
