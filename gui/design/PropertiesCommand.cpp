#include "gui/design/PropertiesCommand.h"

#include "deck/DeckModel.h"
#include "editor/DeckDocument.h"
#include "gui/design/AnchorDialog.h"
#include "gui/design/ImageDialog.h"
#include "gui/design/InputDialog.h"
#include "gui/design/OptgroupDialog.h"
#include "gui/design/OptionDialog.h"
#include "gui/design/SelectDialog.h"
#include "gui/design/ServerCodeDialog.h"
#include "gui/design/TextDialog.h"

namespace tess {

namespace {

DeckNode *editTextChain(DeckNode *root, DeckNode *top, QWidget *parent)
{
    const TextChain opened = OpenTextChain(root, top);
    const std::optional<TextFields> fields = RunTextProperty(opened.fields, parent);
    return RebuildTextChain(root, top, fields ? ChainAfterOk(*fields) : ChainAfterCancel(opened));
}

} // namespace

DeckNode *OpenElementProperties(DeckNode *root, DeckNode *node, QWidget *parent)
{
    if (!node || !node->element || !HasPropertiesDialog(node->kind()))
        return nullptr;
    const StartTag &tag = node->element->tag();
    DialogOutcome outcome;
    switch (node->kind()) {
    case ElementKind::Text:
        return editTextChain(root, node, parent);
    case ElementKind::Input:
        outcome = RunInputControlDlg(tag, parent);
        break;
    case ElementKind::Select:
        outcome = RunGroupProperty(tag, ChildCount(node), parent);
        break;
    case ElementKind::Option:
        outcome = RunOptionProperty(tag, TextChildWords(node), parent);
        break;
    case ElementKind::Anchor:
        outcome = RunAnchorDlg(tag, TextChildWords(node), parent);
        break;
    case ElementKind::Image:
        outcome = RunImageDlg(tag, parent);
        break;
    case ElementKind::Optgroup:
        outcome = RunOptgp(tag, parent);
        break;
    default: // the code blocks
        outcome = RunAspJspEditorDialog(node->fragment(), parent);
        break;
    }
    ApplyDialogOutcome(node, outcome);
    return node;
}

void RunPropertiesRequest(DeckDocument &doc, DeckNode *node, QWidget *parent)
{
    const bool selected = node && doc.selectedNode() == node;
    DeckNode *after = OpenElementProperties(doc.model().root(), node, parent);
    if (selected && after)
        doc.setSelectedNode(after);
    doc.setModified(true);
}

} // namespace tess
