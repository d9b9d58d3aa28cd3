// The WML controls of a document window: armed on the design surface, or
// typed into the code view through their property dialogs.
#include "gui/shell/DocumentWindow.h"

#include "deck/SourceConstants.h"
#include "editor/ControlSnippets.h"
#include "editor/DeckDocument.h"
#include "gui/code/DeckCodeEditor.h"
#include "gui/design/AnchorDialog.h"
#include "gui/design/CardPropertiesDialog.h"
#include "gui/design/ImageDialog.h"
#include "gui/design/InputDialog.h"
#include "gui/design/OptgroupDialog.h"
#include "gui/design/OptionDialog.h"
#include "gui/design/SelectDialog.h"
#include "gui/design/TextDialog.h"
#include "gui/shell/DocumentTabs.h"
#include "gui/shell/ShellConstants.h"

#include <QTextCursor>

namespace tess {

namespace {

std::string withWords(const DialogOutcome &outcome)
{
    return outcome.accepted ? outcome.fragment + outcome.words : std::string();
}

std::string tagOf(const DialogOutcome &outcome)
{
    return outcome.accepted ? outcome.fragment : std::string();
}

} // namespace

ControlContext DocumentWindow::controlContext() const
{
    ControlContext context;
    // Server pages open on the Code tab and never leave it.
    context.codeOnly
        = m_tabs->tabText(0) == QLatin1String(CodeTabLabel.data(), qsizetype(CodeTabLabel.size()))
        || m_tabs->sync().isServerPage();
    context.codeTabActive = m_tabs->sync().activeTab() == CodeTab;
    context.xmlTreeActive = m_doc->xmlTreeActive;
    context.asp = m_doc->isAsp();
    context.jsp = m_doc->isJsp();
    return context;
}

namespace {

// The control command behind a command number of the menus and the bar;
// null for any other number.
const ControlCommandInfo *FindControlCommand(int id)
{
    static const std::pair<int, ControlCommand> commands[]
        = {{ID_WML_ANCHOR, ControlCommand::Anchor},     {ID_WML_SELECT, ControlCommand::Select},
           {ID_WML_INPUT, ControlCommand::Input},       {ID_WML_TEXT, ControlCommand::Text},
           {ID_WML_OPTION, ControlCommand::Option},     {ID_WML_IMAGE, ControlCommand::Image},
           {ID_WML_OPTGROUP, ControlCommand::Optgroup}, {ID_WML_ASP_TAG, ControlCommand::AspTag},
           {ID_WML_JSP_TAG, ControlCommand::JspTag},    {ID_WML_CARD, ControlCommand::Card},
           {ID_WML_PARA, ControlCommand::Para}};
    for (const auto &[number, command] : commands) {
        if (number == id)
            return &ControlCommandOf(command);
    }
    return nullptr;
}

} // namespace

ControlCommandState DocumentWindow::controlCommandState(int commandId) const
{
    if (commandId == ID_WML_DESELECT)
        return {};
    if (commandId == ID_WML_PREVIEW)
        return {!m_doc->isAsp() && !m_doc->isJsp(), false};
    const ControlCommandInfo *info = FindControlCommand(commandId);
    if (!info)
        return {false, false};
    ToolFlags tools;
    for (int tool = 0; tool < DeckDocument::ToolCount; ++tool)
        tools[size_t(tool)] = m_doc->toolFlag(tool);
    return ControlCommandStateOf(info->command, controlContext(), tools);
}

void DocumentWindow::OnControlCommand(int commandId)
{
    const ControlCommandInfo *info = FindControlCommand(commandId);
    if (!info || !controlCommandState(commandId).enabled)
        return;
    if (ChooseControlWay(info->command, controlContext()) == ControlWay::Source) {
        runSourceWay(commandId);
        return;
    }
    if (info->armedKind)
        m_doc->setArmedKind(*info->armedKind);
    if (info->tool >= 0)
        m_doc->checkOnlyTool(info->tool);
    m_doc->requestArmControl();
}

void DocumentWindow::runSourceWay(int commandId)
{
    // Every dialog starts empty: the control is a new one.
    std::string text;
    switch (FindControlCommand(commandId)->command) {
    case ControlCommand::Anchor:
        text = ControlSourceText(ControlCommand::Anchor, withWords(RunAnchorDlg({}, {}, this)));
        break;
    case ControlCommand::Select:
        text = ControlSourceText(ControlCommand::Select, tagOf(RunGroupProperty({}, 0, this)));
        break;
    case ControlCommand::Input:
        text = ControlSourceText(ControlCommand::Input, tagOf(RunInputControlDlg({}, this)));
        break;
    case ControlCommand::Option:
        text
            = ControlSourceText(ControlCommand::Option, withWords(RunOptionProperty({}, {}, this)));
        break;
    case ControlCommand::Image:
        text = ControlSourceText(ControlCommand::Image, tagOf(RunImageDlg({}, this)));
        break;
    case ControlCommand::Optgroup:
        text = ControlSourceText(ControlCommand::Optgroup, tagOf(RunOptgp({}, this)));
        break;
    case ControlCommand::Text:
        if (const std::optional<TextFields> fields = RunTextProperty({}, this))
            text = TextSourceText(*fields);
        break;
    case ControlCommand::Card: {
        CardSheetData sheet;
        if (RunCardPropertySheet(sheet, this))
            text = CardSourceText(sheet);
        break;
    }
    case ControlCommand::Para:
        text = ParaSourceText();
        break;
    case ControlCommand::AspTag:
    case ControlCommand::JspTag:
        break;
    }
    if (!text.empty())
        typeIntoCode(text);
}

void DocumentWindow::typeIntoCode(const std::string &text)
{
    // The code view works with "\n" line ends; the Action page ends a go
    // tag with "\r\n".
    QString typed = QString::fromUtf8(text.data(), qsizetype(text.size()));
    typed.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    DeckCodeEditor *code = m_tabs->codeView();
    QTextCursor cursor = code->textCursor();
    cursor.insertText(typed);
    code->setTextCursor(cursor);
    code->markModified();
}

void DocumentWindow::OnDeselect()
{
    m_doc->setArmedKind(ElementKind::Other);
    m_doc->checkOnlyTool(DeckDocument::ToolPointer);
    m_doc->requestDisarmControl();
}

void DocumentWindow::OnPreview()
{
    if (controlCommandState(ID_WML_PREVIEW).enabled)
        m_tabs->request(WM_TAB_PREVIEW);
}

} // namespace tess
