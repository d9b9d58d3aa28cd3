#pragma once

#include "deck/DesignRect.h"

#include <QUndoCommand>
#include <QUndoStack>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tess {

class DeckDocument;
class Element;
class DeckNode;

// What one edit did to the deck, recorded while it is made so that it can be
// taken back and made again with the very same nodes: every node keeps its
// identifier, so the selection, the current card and later steps of the
// history still find theirs. Nodes taken out of the tree live on in the log.
class EditLog
{
public:
    EditLog();
    ~EditLog();
    EditLog(EditLog &&) noexcept;
    EditLog &operator=(EditLog &&) noexcept;

    // Tree changes, made and recorded. insert gives the element a fresh
    // identifier and links it under `parent` before `before` (last when
    // null); remove cuts a node with its subtree; move repositions a node by
    // the ordering rule of `card` (its current rectangle decides).
    DeckNode *insert(DeckNode *parent, std::unique_ptr<Element> element,
                     DeckNode *before = nullptr);
    void remove(DeckNode *node);
    void move(DeckNode *card, DeckNode *node);

    // Rectangles of a subtree about to change; finish() keeps those that did.
    void watchRects(const DeckNode *subtree);
    // The siblings from `first` to `last` are about to be changed or
    // replaced by someone else's code; their present state is copied so the
    // change can be swapped out and back in. One swap per log.
    void watchSiblings(const DeckNode *first, const DeckNode *last);
    // The document's inserted-controls count, changed now and back on undo.
    void countInserted(int &count, int delta);

    // Ends the recording; `root` is the tree's.
    void finish(DeckNode *root);
    bool empty() const;

    void undo(DeckNode *root);
    void redo(DeckNode *root);

private:
    struct Step;
    void apply(Step &step, DeckNode *root, bool forward);

    std::vector<std::unique_ptr<Step>> m_steps;
    std::vector<std::pair<int, DesignRect>> m_watched;
};

// The document's history of design edits. It keeps the document's modified
// flag in step: back at the state last saved the document is unmodified
// again, and a change made outside the history (the code view, the card
// list) makes that state unreachable.
class DesignHistory : public QUndoStack
{
public:
    explicit DesignHistory(DeckDocument &doc);
    ~DesignHistory() override;

    // While one lives, the document being marked modified belongs to the
    // edit about to be pushed.
    class Recording
    {
    public:
        explicit Recording(QUndoStack *history);
        ~Recording();
        Recording(const Recording &) = delete;
        Recording &operator=(const Recording &) = delete;

    private:
        DesignHistory *m_history;
    };

    // Empties the history without touching the modified flag; a document
    // that is modified stays so even if every edit is undone.
    void forget();

private:
    DeckDocument &m_doc;
    bool m_quiet = false;
    bool m_following = false;
    int m_recording = 0;
};

// One edit of the design in the document's history. The edit is made before
// the command is pushed (its prompts must not come again), so the push does
// nothing; later undo and redo replay the log. A command made on a tree that
// has since been reloaded does nothing. Properties logs hold the element's
// subtree (and a Text's line break after it) before and after the dialog;
// card properties logs the card's whole subtree.
class DesignCommand : public QUndoCommand
{
public:
    enum Id { InsertControl = 1, MoveControl, DeleteControl, ElementProperties, CardProperties };

    DesignCommand(DeckDocument &doc, EditLog log, Id id);

    void undo() override;
    void redo() override;
    int id() const override { return m_id; }
    // The identifier of the tree root the edit was made on.
    int rootId() const { return m_rootId; }

private:
    DeckDocument &m_doc;
    EditLog m_log;
    Id m_id;
    int m_rootId = 0;
    bool m_pushed = false;
};

// Forgets the document's history when its last edit was made on a tree
// that has since been replaced (a reload after the Code or XML Tree tab).
void DropStaleDesignHistory(DeckDocument &doc);

// Pushes a finished log as its command and marks the document modified;
// an empty log is dropped.
void PushDesignEdit(DeckDocument &doc, std::unique_ptr<DesignCommand> command);

// Properties on `node` as one step of the history: `edit` opens the dialog
// and applies it (OpenElementProperties) and returns the node that stands
// for the element afterwards, which is returned. The document is marked
// modified in every case, also when `node` has no dialog.
DeckNode *RecordElementProperties(DeckDocument &doc, DeckNode *node,
                                  const std::function<DeckNode *(DeckNode *)> &edit);
// The card property sheet's change to `card` (`edit` rebuilds it) as one
// step of the history.
void RecordCardProperties(DeckDocument &doc, DeckNode *card, const std::function<void()> &edit);

} // namespace tess
