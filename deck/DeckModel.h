#pragma once

#include "deck/DeckNode.h"
#include "deck/NodeInsertRequest.h"
#include "wml/ServerCodeMask.h"
#include "wml/TextEncoding.h"

#include <memory>
#include <string>
#include <vector>

namespace tess {

// What a deck's file holds beyond the tree: what stands before and after the
// root element (declaration, document type, comments, a page's leading
// server code) as UTF-8 with "\n" line ends, and the file's encoding, byte
// order mark and line-end style. A deck written from the design goes back in
// its own form.
struct DeckFileForm
{
    std::string prolog;
    std::string epilogue;
    TextFormat format;
    // Server code inside the root element that the tree cannot hold (code
    // between cards, in attribute values, server scripts): the design must
    // not write such a deck, or the code would be lost.
    int codeOutsideText = 0;
};

// What the deck's last load or validation left behind: the output message,
// the error flag and the error's line and position as shown (one more than
// the parser's values). Each deck has its own, so one document's error never
// selects a line in another.
struct CompileState
{
    std::string outputMessage;
    bool errorFlag = false;
    int errorLine = 0;
    int errorPosition = 0;
    bool lineJumpPending = false;
};

// One document's deck: the tree, the valid-deck flag, the file the writer
// saves to and the reader loads from, the kind of page it is and the last
// compile's result.
class DeckModel
{
public:
    DeckModel();
    ~DeckModel();
    DeckModel(const DeckModel &) = delete;
    DeckModel &operator=(const DeckModel &) = delete;

    DeckNode *root() const { return m_root.get(); }
    // Replaces the tree; the previous one is destroyed.
    void setRoot(std::unique_ptr<DeckNode> root);
    // Makes a fresh root (kind and fragment as given) through Insert and
    // installs it; returns it.
    DeckNode *makeRoot(ElementKind kind, const std::string &fragment);
    // Destroys the tree; the path and the flags stay.
    void clear();

    bool validDeck = false;
    std::string filePath;
    DeckFileForm fileForm;
    PageKind kind = PageKind::Wml;
    CompileState compile;

    // The last identifier given in this deck; 0 before any.
    int lastElementId() const { return *m_lastId; }

private:
    std::unique_ptr<DeckNode> m_root;
    std::shared_ptr<int> m_lastId = std::make_shared<int>(0);
};

// Tree operations. Each takes the tree root or a node explicitly; none keeps
// state of its own besides the identifier counter. None is quadratic in the
// size of the deck: identifiers are found through the tree's index.

// Inserts request.element and returns its new identifier (0 when the request
// has no element).
int Insert(NodeInsertRequest &request);

// Appends `element` as the last child of `parent` with a fresh identifier,
// entered in the tree's index; returns its node, or null (and nothing
// changes) without a parent or element. Insert by pointer: no search.
DeckNode *AppendChild(DeckNode *parent, std::unique_ptr<Element> element);

// The node with identifier `id` inside the subtree of `root` (depth first,
// node before children); `root` itself when the subtree holds no such node.
DeckNode *FindById(DeckNode *root, int id);
// The same without the fallback: null when the subtree holds no such node
// (or `id` is 0), for callers that keep identifiers across edits.
DeckNode *FindLiveById(DeckNode *root, int id);

// Unlinks the node with identifier `id` and destroys it with its subtree. A
// node without a parent keeps its own node and loses its descendants only.
// An identifier outside the subtree of `root` deletes nothing.
void Delete(DeckNode *root, int id);

// A text node of nothing but blanks and line breaks: the layout between two
// controls of a paragraph, kept for the file's sake but no control of its own.
bool IsLayoutBlank(const DeckNode *node);
// A fieldset element: it only groups the controls inside it, which stand on
// the canvas as if they stood in its paragraph.
bool IsFieldset(const DeckNode *node);

DeckNode *NthCard(DeckNode *root, int n); // 1-based, children of kind Card
int ChildCount(const DeckNode *node);
DeckNode *NthDo(DeckNode *node, int n); // 1-based, children of kind Do
int DoCount(const DeckNode *node);
DeckNode *FirstParagraph(DeckNode *node);

// Appends, for each child of `kind`, its fragment (mode 1) or the fragments of
// its whole subtree in document order (mode 2). Returns the list's length;
// 0 for an absent node.
int CollectFragments(const DeckNode *node, ElementKind kind, std::vector<std::string> &list,
                     int mode);

// Deletes the node's children of `kind`: all of them for limit 0, else the
// first `limit`. Returns 1, or 0 for an absent node.
int DeleteChildrenOfKind(DeckNode *root, DeckNode *node, ElementKind kind, int limit);

// The first node in document order from `node` whose rectangle holds the
// point (borders included); `node` when none does. Elements without a place
// (an empty rectangle: paragraphs, breaks, the card) are never hit.
DeckNode *HitTest(DeckNode *node, int x, int y);
// As HitTest, then inside a select the innermost option or option group
// holding the point.
DeckNode *HitTestSelect(DeckNode *card, int x, int y);
// The innermost option or option group of `select` holding the point; the
// select itself when none does.
DeckNode *HitInsideSelect(DeckNode *select, int x, int y);

// Where an element with the given rectangle goes inside `card`: it is
// inserted before the returned node, or into it when that is a paragraph (or
// the card itself, which then has no children).
DeckNode *InsertionPoint(DeckNode *card, int left, int top, int right, int bottom);

// Moves `node` (with its subtree) to the insertion point of its current
// rectangle: last into a paragraph or an empty card, else before the point.
// Returns the node; a tree's root, `card` or one of its ancestors stays put.
DeckNode *Move(DeckNode *card, DeckNode *node);

// Cuts `node` with its subtree out of its tree and hands it over, its
// identifiers taken out of the tree's index but kept, so that Reattach can
// put it back as it was. Null (and nothing changes) for a root or no node.
std::unique_ptr<DeckNode> Detach(DeckNode *node);
// Links a subtree from Detach or CloneSubtree under `parent` before
// `before` (last when null or not a child of `parent`), keeping its
// identifiers and entering them in the tree's index. Returns its node.
DeckNode *Reattach(DeckNode *parent, std::unique_ptr<DeckNode> node, DeckNode *before);
// A copy of the subtree outside any tree: same kinds, identifiers,
// fragments and rectangles.
std::unique_ptr<DeckNode> CloneSubtree(const DeckNode *node);

} // namespace tess
