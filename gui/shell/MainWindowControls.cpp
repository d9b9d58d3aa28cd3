// The WML controls: the W&ML Controls menu, the "Designing" bar and the View
// menu's item for the bar. The active document's frame carries the commands
// out; without one they do nothing but stay enabled.
#include "gui/shell/MainWindow.h"

#include "editor/ControlSnippets.h"
#include "editor/DeckDocument.h"
#include "gui/shell/DocumentWindow.h"
#include "gui/shell/ShellConstants.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QToolBar>

namespace tess {

namespace {

struct ControlItem
{
    int id;
    const char *text;
    const char *prompt;
};

// In the menu's order.
constexpr ControlItem kMenuItems[] = {
    {ID_WML_ANCHOR, kMenuAnchor, kPromptAnchor},
    {ID_WML_SELECT, kMenuSelect, kPromptSelect},
    {ID_WML_INPUT, kMenuInput, kPromptInput},
    {ID_WML_TEXT, kMenuText, kPromptText},
    {ID_WML_OPTION, kMenuOption, kPromptOption},
    {ID_WML_IMAGE, kMenuImage, kPromptImage},
    {ID_WML_OPTGROUP, kMenuOptgroup, kPromptOptgroup},
    {ID_WML_CARD, kMenuCard, kPromptCard},
    {ID_WML_PARA, kMenuPara, kPromptPara},
};

// The bar's buttons in the order of the strip's images.
constexpr int kBarButtons[]
    = {ID_WML_ANCHOR, ID_WML_SELECT, ID_WML_INPUT, ID_WML_TEXT,     ID_WML_OPTION, ID_WML_OPTGROUP,
       ID_WML_IMAGE,  ID_WML_CARD,   ID_WML_PARA,  ID_WML_DESELECT, ID_WML_PREVIEW};

// Only these buttons are two-state; they share the menu's items.
bool twoStateButton(int id)
{
    return id == ID_WML_ANCHOR || id == ID_WML_SELECT || id == ID_WML_INPUT || id == ID_WML_TEXT
        || id == ID_WML_OPTION;
}

const ControlItem *menuItemOf(int id)
{
    for (const ControlItem &item : kMenuItems) {
        if (item.id == id)
            return &item;
    }
    return nullptr;
}

} // namespace

void MainWindow::createControlCommands()
{
    QAction *barItem = addCommand(m_viewMenu, ID_VIEW_WML_CONTROLS, kMenuWmlControlsBar, true);
    m_viewMenu->insertAction(commandAction(ID_VIEW_STATUS_BAR), barItem);
    connect(barItem, &QAction::triggered, this, [this] {
        m_controlsBar->setVisible(m_controlsBar->isHidden());
        updateViewChecks();
    });
    m_documentActions.push_back(barItem);

    m_controlsMenu = menuBar()->addMenu(QString::fromLatin1(kMenuWmlControls));
    for (const ControlItem &item : kMenuItems) {
        const bool checkable = item.id != ID_WML_CARD && item.id != ID_WML_PARA;
        QAction *action = addCommand(m_controlsMenu, item.id, item.text, checkable);
        setCommandPrompt(action, item.prompt);
        connect(action, &QAction::triggered, this, [this, id = item.id] { runControlCommand(id); });
        m_controlActions.emplace_back(item.id, action);
    }
    connect(m_controlsMenu, &QMenu::aboutToShow, this, &MainWindow::updateControlCommands);
}

bool MainWindow::createControlsBar()
{
    const QPixmap strip(QString::fromLatin1(kWmlControlsStrip));
    if (strip.isNull())
        return false;
    m_controlsBar = new QToolBar(QString::fromLatin1(kWmlControlsCaption), this);
    m_controlsBar->setObjectName(QStringLiteral("WmlControlsBar"));
    m_controlsBar->setIconSize(QSize(kWmlControlsButtonSize, kWmlControlsButtonSize));

    const auto addButton = [this](int id, const QIcon &icon, const char *text, const char *prompt) {
        auto *button = new QAction(icon, QString::fromLatin1(text), m_controlsBar);
        button->setData(id);
        if (prompt)
            setCommandPrompt(button, prompt);
        connect(button, &QAction::triggered, this, [this, id] { runControlCommand(id); });
        m_controlsBar->addAction(button);
        m_controlActions.emplace_back(id, button);
        return button;
    };
    int index = 0;
    for (int id : kBarButtons) {
        const QIcon icon(strip.copy(index++ * kWmlControlsButtonSize, 0, kWmlControlsButtonSize,
                                    kWmlControlsButtonSize));
        const ControlItem *item = menuItemOf(id);
        // A button shares its menu item unless the item's check mark would
        // make it two-state.
        if (item && (twoStateButton(id) || !commandAction(id)->isCheckable())) {
            commandAction(id)->setIcon(icon);
            m_controlsBar->addAction(commandAction(id));
        } else if (item) {
            addButton(id, icon, item->text, item->prompt);
        } else {
            const char *text = id == ID_WML_DESELECT ? kButtonDeselect : kButtonPreview;
            m_commands[id] = addButton(id, icon, text, nullptr);
        }
    }
    // The code block tools have no menu item; they sit after the bar's own
    // buttons.
    m_controlsBar->addSeparator();
    m_commands[ID_WML_ASP_TAG]
        = addButton(ID_WML_ASP_TAG, QIcon(QString::fromLatin1(kAspTagIconResource)), kButtonAspTag,
                    kPromptAspTag);
    m_commands[ID_WML_JSP_TAG]
        = addButton(ID_WML_JSP_TAG, QIcon(QString::fromLatin1(kJspTagIconResource)), kButtonJspTag,
                    kPromptJspTag);

    addToolBar(Qt::TopToolBarArea, m_controlsBar);
    m_controlsBar->hide();
    connect(m_controlsBar, &QToolBar::visibilityChanged, this, &MainWindow::updateViewChecks);
    return true;
}

void MainWindow::runControlCommand(int commandId)
{
    if (DocumentWindow *child = activeChildFrame()) {
        if (commandId == ID_WML_DESELECT)
            child->OnDeselect();
        else if (commandId == ID_WML_PREVIEW)
            child->OnPreview();
        else
            child->OnControlCommand(commandId);
    }
    updateControlCommands();
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
    for (const auto &[id, action] : m_controlActions) {
        const ControlCommandState state = child ? child->controlCommandState(id)
                                                : ControlCommandState {id != ID_WML_PREVIEW, false};
        action->setEnabled(state.enabled);
        if (action->isCheckable())
            action->setChecked(state.checked);
    }
}

} // namespace tess
