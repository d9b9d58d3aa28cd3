#pragma once

class QWidget;

namespace tess {

class DeckDocument;
class DeckNode;

// Properties on one element: opens the dialog for its kind and applies the
// outcome to the tree, after OK or Cancel (a Text control's chain is rebuilt
// either way). Returns the node that stands for the element afterwards (a
// rebuilt Text has a new top), or null when its kind has no dialog. The
// caller repaints and marks the document modified in every case.
DeckNode *OpenElementProperties(DeckNode *root, DeckNode *node, QWidget *parent = nullptr);

// The designer's Properties request on `node` (null when the point held no
// element): the dialog when there is one, then the document marked modified
// whatever happened; a rebuilt Text stays selected.
void RunPropertiesRequest(DeckDocument &doc, DeckNode *node, QWidget *parent = nullptr);

} // namespace tess
