#include "designer/PropertiesCommand.h"

#include "designer/AnchorDlg.h"
#include "designer/AspJspEditorDialog.h"
#include "designer/GroupProperty.h"
#include "designer/ImageDlg.h"
#include "designer/InputControlDlg.h"
#include "designer/Optgp.h"
#include "designer/OptionProperty.h"
#include "designer/TextProperty.h"
#include "model/DeckModel.h"
#include "shell/BerthingDoc.h"

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
    const std::string &fragment = node->fragment();
    DialogOutcome outcome;
    switch (node->kind()) {
    case KindText:
        return editTextChain(root, node, parent);
    case KindInput:
        outcome = RunInputControlDlg(fragment, parent);
        break;
    case KindSelect:
        outcome = RunGroupProperty(fragment, ChildCount(node), parent);
        break;
    case KindOption:
        outcome = RunOptionProperty(fragment, TextChildWords(node), parent);
        break;
    case KindAnchor:
        outcome = RunAnchorDlg(fragment, TextChildWords(node), parent);
        break;
    case KindImage:
        outcome = RunImageDlg(fragment, parent);
        break;
    case KindOptgroup:
        outcome = RunOptgp(fragment, parent);
        break;
    default: // the code blocks
        outcome = RunAspJspEditorDialog(fragment, parent);
        break;
    }
    ApplyDialogOutcome(node, outcome);
    return node;
}

void RunPropertiesRequest(CBerthingDoc &doc, DeckNode *node, QWidget *parent)
{
    const bool selected = node && doc.selectedNode() == node;
    DeckNode *after = OpenElementProperties(doc.model().root(), node, parent);
    if (selected && after)
        doc.setSelectedNode(after);
    doc.setModified(true);
}

} // namespace tess
