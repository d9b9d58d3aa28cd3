// The main toolbar and the View menu's item for it.
#include "gui/shell/MainWindow.h"

#include "app/Translation.h"
#include "gui/shell/ShellConstants.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace tess {

namespace {

struct ToolbarButton
{
    const char *text; // null for a separator
    // The command the button gives; null while the program has none.
    QAction *MainWindow::Commands::*command;
    // The button serves even while its command is hidden from the menus for
    // want of a document (the bar toggles); otherwise it follows the
    // command's enabling.
    bool withoutDocument;
    QStyle::StandardPixmap standardIcon;
    const char *iconResource; // instead of the standard icon when set
    const char *prompt;
};

using C = MainWindow::Commands;
constexpr auto kNoIcon = QStyle::SP_CustomBase;

// In the bar's order; New is made apart, as it opens the New File menu.
constexpr ToolbarButton kButtons[] = {
    {kButtonOpenFile, &C::open, false, QStyle::SP_DialogOpenButton, nullptr, nullptr},
    {kButtonSave, &C::save, false, QStyle::SP_DialogSaveButton, nullptr, kPromptSave},
    {kButtonPrint, &C::print, false, kNoIcon, kPrintIconResource, nullptr},
    {nullptr, nullptr, false, kNoIcon, nullptr, nullptr},
    {kButtonCut, &C::cut, false, kNoIcon, kCutIconResource, nullptr},
    {kButtonCopy, &C::copy, false, kNoIcon, kCopyIconResource, nullptr},
    {kButtonPaste, &C::paste, false, kNoIcon, kPasteIconResource, nullptr},
    {kButtonWorkspaceWindow, &C::workspaceWindow, true, QStyle::SP_DirIcon, nullptr, nullptr},
    {kButtonOutputWindow, &C::outputWindow, true, QStyle::SP_FileDialogDetailedView, nullptr,
     nullptr},
    {kButtonFullScreen, &C::fullScreen, true, QStyle::SP_TitleBarMaxButton, nullptr,
     kPromptFullScreen},
    {nullptr, nullptr, false, kNoIcon, nullptr, nullptr},
    {kButtonCompile, &C::compile, false, QStyle::SP_DialogApplyButton, nullptr, kPromptCompile},
    {nullptr, nullptr, false, kNoIcon, nullptr, nullptr},
    {kButtonAbout, &C::about, false, QStyle::SP_MessageBoxQuestion, nullptr, nullptr},
    {kButtonUpload, &C::upload, false, QStyle::SP_ArrowUp, nullptr, nullptr},
    {kButtonDownload, &C::download, false, QStyle::SP_ArrowDown, nullptr, nullptr},
};

QIcon buttonIcon(const ToolbarButton &button)
{
    if (button.iconResource)
        return QIcon(QString::fromLatin1(button.iconResource));
    return QApplication::style()->standardIcon(button.standardIcon);
}

// The button follows its command's state rather than sharing its action:
// the command may be hidden from the menus while the button stays.
void mirror(QAction *button, QAction *command, bool withoutDocument)
{
    button->setCheckable(command->isCheckable());
    QObject::connect(button, &QAction::triggered, command, [command, button] {
        // A hidden action is disabled too and would not trigger.
        if (command->isEnabled())
            command->trigger();
        else
            emit command->triggered(!command->isChecked());
        // A click toggled the button whatever the command made of it.
        button->setChecked(command->isChecked());
    });
    const auto follow = [button, command, withoutDocument] {
        button->setEnabled(withoutDocument || command->isEnabled());
        button->setChecked(command->isChecked());
    };
    QObject::connect(command, &QAction::changed, button, follow);
    QObject::connect(command, &QAction::toggled, button, follow);
    follow();
}

} // namespace

void MainWindow::createMainToolbar()
{
    m_mainToolbar = new QToolBar(translated(kMainToolbarCaption), this);
    m_mainToolbar->setObjectName(QStringLiteral("MainToolbar"));

    auto *newButton = new QAction(QApplication::style()->standardIcon(QStyle::SP_FileIcon),
                                  translated(kButtonNew), m_mainToolbar);
    newButton->setMenu(m_newFileMenu);
    m_mainToolbar->addAction(newButton);
    // The menu opens below the button at once, as there is no default kind.
    if (auto *tool = qobject_cast<QToolButton *>(m_mainToolbar->widgetForAction(newButton)))
        tool->setPopupMode(QToolButton::InstantPopup);

    for (const ToolbarButton &button : kButtons) {
        if (!button.text) {
            m_mainToolbar->addSeparator();
            continue;
        }
        auto *action = new QAction(buttonIcon(button), translated(button.text), m_mainToolbar);
        if (button.prompt)
            setCommandPrompt(action, button.prompt);
        QAction *command = button.command ? m_commands.*button.command : nullptr;
        if (command)
            mirror(action, command, button.withoutDocument);
        else
            action->setEnabled(false);
        m_mainToolbar->addAction(action);
    }
    addToolBar(Qt::TopToolBarArea, m_mainToolbar);
    connect(m_mainToolbar, &QToolBar::visibilityChanged, this, &MainWindow::updateViewChecks);

    QAction *item = m_commands.toolbar = new QAction(translated(kMenuToolbar), m_viewMenu);
    item->setCheckable(true);
    m_viewMenu->insertAction(m_viewMenu->actions().value(0), item);
    connect(item, &QAction::triggered, this, [this] {
        m_mainToolbar->setVisible(m_mainToolbar->isHidden());
        updateViewChecks();
    });
}

} // namespace tess
