#include "editor/DesignCommands.h"

#include "deck/DeckModel.h"
#include "deck/ElementKind.h"
#include "deck/NodeIndex.h"
#include "editor/DeckDocument.h"
#include "editor/DesignEditing.h"
#include "editor/ElementProperties.h"

#include <tuple>
#include <utility>

namespace tess {

namespace {

QString commandText(DesignCommand::Id id)
{
    switch (id) {
    case DesignCommand::InsertControl:
        return QStringLiteral("Insert");
    case DesignCommand::MoveControl:
        return QStringLiteral("Move");
    case DesignCommand::DeleteControl:
        return QStringLiteral("Delete");
    case DesignCommand::ElementProperties:
        return QStringLiteral("Properties");
    case DesignCommand::CardProperties:
        break;
    }
    return QStringLiteral("Card Properties");
}

int idOf(const DeckNode *node)
{
    return node ? node->id() : 0;
}

// Puts a held subtree back under `parentId` before `beforeId`. When the
// parent is gone the subtree stays held.
bool place(DeckNode *root, std::unique_ptr<DeckNode> &node, int parentId, int beforeId)
{
    DeckNode *parent = FindLiveById(root, parentId);
    if (!node || !parent)
        return false;
    Reattach(parent, std::move(node), FindLiveById(root, beforeId));
    return true;
}

} // namespace

struct EditLog::Step
{
    enum Type { Link, Cut, Move, Rects, Swap, Count };

    Type type = Link;
    int nodeId = 0;
    // Link and Cut: where the node stands in the tree; Move: where it came
    // from; Swap: the range's parent and the sibling after it.
    int parentId = 0;
    int beforeId = 0;
    int toParentId = 0;
    int toBeforeId = 0;
    int prevId = 0; // Swap: the sibling before the range, 0 at the start
    std::unique_ptr<DeckNode> held;
    std::vector<std::unique_ptr<DeckNode>> range;
    std::vector<std::tuple<int, DesignRect, DesignRect>> rects;
    int delta = 0;
    int *count = nullptr; // the document's, which outlives its history
};

EditLog::EditLog() = default;
EditLog::~EditLog() = default;
EditLog::EditLog(EditLog &&) noexcept = default;
EditLog &EditLog::operator=(EditLog &&) noexcept = default;

DeckNode *EditLog::insert(DeckNode *parent, std::unique_ptr<Element> element, DeckNode *before)
{
    if (!parent || !element)
        return nullptr;
    DeckNode *node = nullptr;
    if (before && before->parent == parent) {
        NodeInsertRequest request {parent, std::move(element)};
        request.parentId = parent->id();
        request.beforeId = before->id();
        node = FindById(parent, Insert(request));
    } else {
        node = AppendChild(parent, std::move(element));
    }
    auto step = std::make_unique<Step>();
    step->type = Step::Link;
    step->nodeId = node->id();
    step->parentId = parent->id();
    step->beforeId = idOf(node->nextSibling);
    m_steps.push_back(std::move(step));
    return node;
}

void EditLog::remove(DeckNode *node)
{
    if (!node || !node->parent)
        return;
    auto step = std::make_unique<Step>();
    step->type = Step::Cut;
    step->nodeId = node->id();
    step->parentId = node->parent->id();
    step->beforeId = idOf(node->nextSibling);
    step->held = Detach(node);
    m_steps.push_back(std::move(step));
}

void EditLog::move(DeckNode *card, DeckNode *node)
{
    if (!card || !node || !node->parent)
        return;
    auto step = std::make_unique<Step>();
    step->type = Step::Move;
    step->nodeId = node->id();
    step->parentId = node->parent->id();
    step->beforeId = idOf(node->nextSibling);
    Move(card, node);
    step->toParentId = idOf(node->parent);
    step->toBeforeId = idOf(node->nextSibling);
    m_steps.push_back(std::move(step));
}

void EditLog::watchRects(const DeckNode *subtree)
{
    for (const DeckNode *n = subtree; n; n = nextInSubtree(n, subtree)) {
        if (n->element)
            m_watched.emplace_back(n->id(), n->element->rect);
    }
}

void EditLog::watchSiblings(const DeckNode *first, const DeckNode *last)
{
    if (!first || !last || !first->parent)
        return;
    auto step = std::make_unique<Step>();
    step->type = Step::Swap;
    step->parentId = first->parent->id();
    step->prevId = idOf(first->prevSibling);
    step->beforeId = idOf(last->nextSibling);
    for (const DeckNode *n = first; n; n = n == last ? nullptr : n->nextSibling)
        step->range.push_back(CloneSubtree(n));
    m_steps.push_back(std::move(step));
}

void EditLog::countInserted(int &count, int delta)
{
    auto step = std::make_unique<Step>();
    step->type = Step::Count;
    step->delta = delta;
    step->count = &count;
    count += delta;
    m_steps.push_back(std::move(step));
}

void EditLog::finish(DeckNode *root)
{
    auto step = std::make_unique<Step>();
    step->type = Step::Rects;
    for (const auto &[id, before] : m_watched) {
        const DeckNode *node = FindLiveById(root, id);
        if (node && node->element->rect != before)
            step->rects.emplace_back(id, before, node->element->rect);
    }
    m_watched.clear();
    if (!step->rects.empty())
        m_steps.push_back(std::move(step));
}

bool EditLog::empty() const
{
    return m_steps.empty();
}

void EditLog::undo(DeckNode *root)
{
    for (auto it = m_steps.rbegin(); it != m_steps.rend(); ++it)
        apply(**it, root, false);
}

void EditLog::redo(DeckNode *root)
{
    for (auto &step : m_steps)
        apply(*step, root, true);
}

void EditLog::apply(Step &step, DeckNode *root, bool forward)
{
    switch (step.type) {
    case Step::Link:
    case Step::Cut:
        // A link made forward is a cut made backward.
        if (forward == (step.type == Step::Link))
            place(root, step.held, step.parentId, step.beforeId);
        else if (DeckNode *node = FindLiveById(root, step.nodeId))
            step.held = Detach(node);
        break;
    case Step::Move: {
        DeckNode *node = FindLiveById(root, step.nodeId);
        if (!node || !node->parent)
            break;
        std::unique_ptr<DeckNode> held = Detach(node);
        if (!place(root, held, forward ? step.toParentId : step.parentId,
                   forward ? step.toBeforeId : step.beforeId))
            step.held = std::move(held);
        break;
    }
    case Step::Rects:
        for (const auto &[id, before, after] : step.rects) {
            if (DeckNode *node = FindLiveById(root, id))
                node->element->rect = forward ? after : before;
        }
        break;
    case Step::Swap: {
        DeckNode *parent = FindLiveById(root, step.parentId);
        if (!parent)
            break;
        DeckNode *prev = FindLiveById(root, step.prevId);
        DeckNode *n = step.prevId == 0       ? parent->firstChild
            : prev && prev->parent == parent ? prev->nextSibling
                                             : nullptr;
        std::vector<std::unique_ptr<DeckNode>> out;
        while (n && n->id() != step.beforeId) {
            DeckNode *next = n->nextSibling;
            out.push_back(Detach(n));
            n = next;
        }
        DeckNode *before = FindLiveById(root, step.beforeId);
        for (auto &held : step.range)
            Reattach(parent, std::move(held), before);
        step.range = std::move(out);
        break;
    }
    case Step::Count:
        *step.count += forward ? step.delta : -step.delta;
        break;
    }
}

DesignHistory::DesignHistory(DeckDocument &doc)
    : m_doc(doc)
{
    connect(this, &QUndoStack::cleanChanged, this, [this](bool clean) {
        if (m_quiet)
            return;
        m_following = true;
        m_doc.setModified(!clean);
        m_following = false;
    });
    connect(&m_doc, &DeckDocument::modifiedChanged, this, [this](bool modified) {
        if (m_following || m_recording > 0)
            return;
        if (!modified)
            setClean();
        else if (isClean())
            resetClean();
    });
}

DesignHistory::~DesignHistory()
{
    // The stack empties itself on the way out; the document hears nothing.
    blockSignals(true);
}

void DesignHistory::forget()
{
    m_quiet = true;
    clear();
    if (m_doc.isModified())
        resetClean();
    m_quiet = false;
}

DesignHistory::Recording::Recording(QUndoStack *history)
    : m_history(dynamic_cast<DesignHistory *>(history))
{
    if (m_history)
        ++m_history->m_recording;
}

DesignHistory::Recording::~Recording()
{
    if (m_history)
        --m_history->m_recording;
}

DesignCommand::DesignCommand(DeckDocument &doc, EditLog log, Id id)
    : QUndoCommand(commandText(id))
    , m_doc(doc)
    , m_log(std::move(log))
    , m_id(id)
    , m_rootId(idOf(doc.model().root()))
{ }

void DesignCommand::undo()
{
    DeckNode *root = m_doc.model().root();
    if (root && root->id() == m_rootId)
        m_log.undo(root);
}

void DesignCommand::redo()
{
    // The edit itself was made before the push.
    if (!std::exchange(m_pushed, true))
        return;
    DeckNode *root = m_doc.model().root();
    if (root && root->id() == m_rootId)
        m_log.redo(root);
}

void DropStaleDesignHistory(DeckDocument &doc)
{
    auto *history = dynamic_cast<DesignHistory *>(doc.undoStack());
    if (!history || history->count() == 0)
        return;
    const auto *last = dynamic_cast<const DesignCommand *>(history->command(history->count() - 1));
    if (last && last->rootId() != idOf(doc.model().root()))
        history->forget();
}

void PushDesignEdit(DeckDocument &doc, std::unique_ptr<DesignCommand> command)
{
    DesignHistory::Recording recording(doc.undoStack());
    doc.undoStack()->push(command.release());
    doc.setModified(true);
}

DeckNode *RecordElementProperties(DeckDocument &doc, DeckNode *node,
                                  const std::function<DeckNode *(DeckNode *)> &edit)
{
    if (!node || !node->element || !node->parent || !HasPropertiesDialog(node->kind())) {
        doc.setModified(true);
        return nullptr;
    }
    const DeckNode *last = node;
    // The Text dialog replaces the break after the text as well.
    if (node->kind() == ElementKind::Text && node->nextSibling
        && node->nextSibling->kind() == ElementKind::Break)
        last = node->nextSibling;
    DesignHistory::Recording recording(doc.undoStack());
    EditLog log;
    log.watchSiblings(node, last);
    DeckNode *after = edit(node);
    log.finish(doc.model().root());
    PushDesignEdit(
        doc,
        std::make_unique<DesignCommand>(doc, std::move(log), DesignCommand::ElementProperties));
    return after;
}

void RecordCardProperties(DeckDocument &doc, DeckNode *card, const std::function<void()> &edit)
{
    if (!card || !card->parent) {
        edit();
        return;
    }
    DesignHistory::Recording recording(doc.undoStack());
    EditLog log;
    log.watchSiblings(card, card);
    edit();
    log.finish(doc.model().root());
    PushDesignEdit(
        doc, std::make_unique<DesignCommand>(doc, std::move(log), DesignCommand::CardProperties));
}

} // namespace tess
