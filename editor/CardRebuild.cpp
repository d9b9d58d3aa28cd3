#include "editor/CardRebuild.h"

#include "deck/DeckConstants.h"
#include "deck/DeckModel.h"
#include "deck/ElementFactory.h"
#include "deck/StartTag.h"

#include <algorithm>

namespace tess {

namespace {

DeckNode *insertBefore(DeckNode *root, DeckNode *parent, const DeckNode *before, ElementKind kind,
                       std::string fragment)
{
    NodeInsertRequest request {root, makeElement(kind, std::move(fragment))};
    request.parentId = parent->id();
    request.beforeId = before ? before->id() : 0;
    return FindById(root, Insert(request));
}

// Cuts the start tag beginning at `tag` off the front of `rest` (what lies
// before the tag goes with it) and returns it, up to its first ">".
std::string takeTag(std::string_view &rest, size_t tag)
{
    const size_t end = rest.find('>', tag);
    const size_t stop = end == std::string_view::npos ? rest.size() : end + 1;
    std::string taken(rest.substr(tag, stop - tag));
    rest.remove_prefix(stop);
    return taken;
}

// A task with variables: the task element under the do, then each piece up
// to "/>" as a child of the task.
void addTask(DeckNode *root, DeckNode *doNode, std::string_view &rest, std::string_view tag)
{
    const size_t at = rest.find(tag);
    if (at == std::string_view::npos)
        return;
    DeckNode *task = insertBefore(root, doNode, nullptr, ElementKind::Other, takeTag(rest, at));
    for (size_t end; (end = rest.find("/>")) != std::string_view::npos;) {
        std::string_view piece = rest.substr(0, end + 2);
        piece.remove_prefix(std::min(piece.find('<'), piece.size()));
        insertBefore(root, task, nullptr, ElementKind::Other, std::string(piece));
        rest.remove_prefix(end + 2);
    }
}

void addEvent(DeckNode *root, DeckNode *card, std::string_view event)
{
    const size_t doAt = event.find("<do");
    if (doAt == std::string_view::npos || event.find('>', doAt) == std::string_view::npos)
        return;
    std::string_view rest = event;
    DeckNode *doNode
        = insertBefore(root, card, FirstParagraph(card), ElementKind::Do, takeTag(rest, doAt));
    if (const size_t noop = rest.find("<noop"); noop != std::string_view::npos) {
        std::string_view copy = rest;
        insertBefore(root, doNode, nullptr, ElementKind::Other, takeTag(copy, noop));
    }
    for (std::string_view tag : {"<go", "<refresh", "<prev"})
        addTask(root, doNode, rest, tag);
}

} // namespace

CardSheetData OpenCardSheet(const DeckNode *card)
{
    CardSheetData data;
    if (!card)
        return data;
    data.cardFragment = card->fragment();
    CollectFragments(card, ElementKind::Do, data.events, 2);
    std::vector<std::string> timers;
    if (CollectFragments(card, ElementKind::Timer, timers, 2) > 0)
        data.timerFragment = timers.front();
    return data;
}

void RebuildCard(DeckNode *root, DeckNode *card, const CardSheetData &data)
{
    if (!root || !card || !card->element)
        return;
    card->element->setFragment(data.cardFragment);

    DeleteChildrenOfKind(root, card, ElementKind::Timer, 0);
    const StartTag timer(data.timerFragment);
    if (timer.raw("value") || timer.raw("name"))
        insertBefore(root, card, card->firstChild, ElementKind::Timer, timer.text());

    DeleteChildrenOfKind(root, card, ElementKind::Do, 0);
    if (!FirstParagraph(card))
        insertBefore(root, card, nullptr, ElementKind::Paragraph,
                     std::string(NewParagraphFragment));
    for (const std::string &event : data.events)
        addEvent(root, card, event);
}

std::string CardRowLabel(const StartTag &card)
{
    const std::string title = card.value("title").value_or("");
    return title.empty() ? std::string(UnnamedCardLabel) : title;
}

} // namespace tess
