// The WML controls of a document window: armed on the design surface, or
// typed into the code view through their property dialogs.
#include "gui/shell/DocumentWindow.h"

#include "app/Translation.h"
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
        = m_tabs->tabText(0) == translated(CodeTabLabel) || m_tabs->sync().isServerPage();
    context.codeTabActive = m_tabs->sync().activeTab() == CodeTab;
    context.xmlTreeActive = m_doc->xmlTreeActive;
    context.asp = m_doc->isAsp();
    context.jsp = m_doc->isJsp();
    return context;
}

ControlCommandState DocumentWindow::controlCommandState(ControlCommand command) const
{
    ToolFlags tools;
    for (int tool = 0; tool < DeckDocument::ToolCount; ++tool)
        tools[size_t(tool)] = m_doc->toolFlag(tool);
    return ControlCommandStateOf(command, controlContext(), tools);
}

bool DocumentWindow::canPreview() const
{
    return !m_doc->isAsp() && !m_doc->isJsp();
}

void DocumentWindow::OnControlCommand(ControlCommand command)
{
    if (!controlCommandState(command).enabled)
        return;
    if (ChooseControlWay(command, controlContext()) == ControlWay::Source) {
        runSourceWay(command);
        return;
    }
    const ControlCommandInfo &info = ControlCommandOf(command);
    if (info.armedKind)
        m_doc->setArmedKind(*info.armedKind);
    if (info.tool >= 0)
        m_doc->checkOnlyTool(info.tool);
    m_doc->requestArmControl();
}

void DocumentWindow::runSourceWay(ControlCommand command)
{
    // Every dialog starts empty: the control is a new one.
    std::string text;
    switch (command) {
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
    code->completeText();
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
    if (canPreview())
        m_tabs->preview(false);
}

void DocumentWindow::OnInvokeEmulator()
{
    if (canPreview())
        m_tabs->preview(true);
}

} // namespace tess
