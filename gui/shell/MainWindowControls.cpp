// The WML controls: the W&ML Controls menu, the "Designing" bar and the View
// menu's item for the bar. The active document's frame carries the commands
// out; without one they do nothing but stay enabled.
#include "gui/shell/MainWindow.h"

#include "app/Translation.h"
#include "editor/ControlSnippets.h"
#include "editor/DeckDocument.h"
#include "gui/shell/DocumentWindow.h"
#include "gui/shell/ShellConstants.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QToolBar>

#include <algorithm>

namespace tess {

namespace {

struct ControlItem
{
    ControlCommand command;
    const char *text;
    const char *prompt;
};

// In the menu's order.
constexpr ControlItem kMenuItems[] = {
    {ControlCommand::Anchor, kMenuAnchor, kPromptAnchor},
    {ControlCommand::Select, kMenuSelect, kPromptSelect},
    {ControlCommand::Input, kMenuInput, kPromptInput},
    {ControlCommand::Text, kMenuText, kPromptText},
    {ControlCommand::Option, kMenuOption, kPromptOption},
    {ControlCommand::Image, kMenuImage, kPromptImage},
    {ControlCommand::Optgroup, kMenuOptgroup, kPromptOptgroup},
    {ControlCommand::Card, kMenuCard, kPromptCard},
    {ControlCommand::Para, kMenuPara, kPromptPara},
};

// The bar's buttons of menu items in the order of the strip's images;
// Deselect and the preview follow them.
constexpr ControlCommand kBarButtons[]
    = {ControlCommand::Anchor, ControlCommand::Select, ControlCommand::Input,
       ControlCommand::Text,   ControlCommand::Option, ControlCommand::Optgroup,
       ControlCommand::Image,  ControlCommand::Card,   ControlCommand::Para};

// Only these buttons are two-state; they share the menu's items.
bool twoStateButton(ControlCommand command)
{
    return command == ControlCommand::Anchor || command == ControlCommand::Select
        || command == ControlCommand::Input || command == ControlCommand::Text
        || command == ControlCommand::Option;
}

MainWindow::DocumentCommand inserting(ControlCommand command)
{
    return [command](DocumentWindow &child) { child.OnControlCommand(command); };
}

const ControlItem &menuItemOf(ControlCommand command)
{
    for (const ControlItem &item : kMenuItems) {
        if (item.command == command)
            return item;
    }
    return kMenuItems[0];
}

} // namespace

void MainWindow::createControlCommands()
{
    QAction *barItem = m_commands.controlsBar = addCommand(m_viewMenu, kMenuWmlControlsBar, true);
    m_viewMenu->insertAction(m_commands.statusBar, barItem);
    connect(barItem, &QAction::triggered, this, [this] {
        m_controlsBar->setVisible(m_controlsBar->isHidden());
        updateViewChecks();
        emit controlsBarToggled(!m_controlsBar->isHidden());
    });
    m_documentActions.push_back(barItem);

    m_controlsMenu = menuBar()->addMenu(translated(kMenuWmlControls));
    for (const ControlItem &item : kMenuItems) {
        const ControlCommand command = item.command;
        const bool checkable = command != ControlCommand::Card && command != ControlCommand::Para;
        QAction *action = addCommand(m_controlsMenu, item.text, checkable);
        setCommandPrompt(action, item.prompt);
        connect(action, &QAction::triggered, this,
                [this, command] { runOnActiveDocument(inserting(command)); });
        m_controls.push_back({command, action, nullptr});
    }
    connect(m_controlsMenu, &QMenu::aboutToShow, this, &MainWindow::updateControlCommands);
}

bool MainWindow::createControlsBar()
{
    const QPixmap strip(QString::fromLatin1(kWmlControlsStrip));
    if (strip.isNull())
        return false;
    m_controlsBar = new QToolBar(translated(kWmlControlsCaption), this);
    m_controlsBar->setObjectName(QStringLiteral("WmlControlsBar"));
    m_controlsBar->setIconSize(QSize(kWmlControlsButtonSize, kWmlControlsButtonSize));

    const auto addButton = [this](const QIcon &icon, const char *text, const char *prompt,
                                  const DocumentCommand &run) {
        auto *button = new QAction(icon, translated(text), m_controlsBar);
        if (prompt)
            setCommandPrompt(button, prompt);
        connect(button, &QAction::triggered, this, [this, run] { runOnActiveDocument(run); });
        m_controlsBar->addAction(button);
        return button;
    };
    int index = 0;
    const auto nextImage = [&strip, &index] {
        return QIcon(strip.copy(index++ * kWmlControlsButtonSize, 0, kWmlControlsButtonSize,
                                kWmlControlsButtonSize));
    };
    for (const ControlCommand command : kBarButtons) {
        const QIcon icon = nextImage();
        ControlActions &control
            = *std::find_if(m_controls.begin(), m_controls.end(),
                            [command](const ControlActions &c) { return c.command == command; });
        // A button shares its menu item unless the item's check mark would
        // make it two-state.
        if (twoStateButton(command) || !control.item->isCheckable()) {
            control.item->setIcon(icon);
            m_controlsBar->addAction(control.item);
            control.button = control.item;
        } else {
            const ControlItem &item = menuItemOf(command);
            control.button = addButton(icon, item.text, item.prompt, inserting(command));
        }
    }
    m_commands.deselect = addButton(nextImage(), kButtonDeselect, nullptr,
                                    [](DocumentWindow &child) { child.OnDeselect(); });
    m_commands.preview = addButton(nextImage(), kButtonPreview, nullptr,
                                   [](DocumentWindow &child) { child.OnPreview(); });
    // The code block tools have no menu item; they sit after the bar's own
    // buttons.
    m_controlsBar->addSeparator();
    m_controls.push_back({ControlCommand::AspTag, nullptr,
                          addButton(QIcon(QString::fromLatin1(kAspTagIconResource)), kButtonAspTag,
                                    kPromptAspTag, inserting(ControlCommand::AspTag))});
    m_controls.push_back({ControlCommand::JspTag, nullptr,
                          addButton(QIcon(QString::fromLatin1(kJspTagIconResource)), kButtonJspTag,
                                    kPromptJspTag, inserting(ControlCommand::JspTag))});

    addToolBar(Qt::TopToolBarArea, m_controlsBar);
    m_controlsBar->hide();
    connect(m_controlsBar, &QToolBar::visibilityChanged, this, &MainWindow::updateViewChecks);
    return true;
}

void MainWindow::runOnActiveDocument(const DocumentCommand &command)
{
    if (DocumentWindow *child = activeChildFrame())
        command(*child);
    updateControlCommands();
}

QAction *MainWindow::controlItem(ControlCommand command) const
{
    for (const ControlActions &control : m_controls) {
        if (control.command == command)
            return control.item;
    }
    return nullptr;
}

QAction *MainWindow::controlButton(ControlCommand command) const
{
    for (const ControlActions &control : m_controls) {
        if (control.command == command)
            return control.button;
    }
    return nullptr;
}

void MainWindow::updateControlCommands()
{
    DocumentWindow *child = activeChildFrame();
    if (m_controlsMenu)
        m_controlsMenu->menuAction()->setVisible(child);
    // An insertion on the design surface puts the pointer tool back.
    if (child)
        connect(&child->document(), &DeckDocument::toolsChanged, this,
                &MainWindow::updateControlCommands, Qt::UniqueConnection);
    for (const ControlActions &control : m_controls) {
        const ControlCommandState state
            = child ? child->controlCommandState(control.command) : ControlCommandState {};
        for (QAction *action : {control.item, control.button}) {
            if (!action)
                continue;
            action->setEnabled(state.enabled);
            if (action->isCheckable())
                action->setChecked(state.checked);
        }
    }
    // Deselect is always there; the preview needs a WML document.
    if (m_commands.preview)
        m_commands.preview->setEnabled(child && child->canPreview());
}

} // namespace tess
