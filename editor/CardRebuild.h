#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tess {

class DeckNode;
class StartTag;

// What the card property sheet works on: the card's start tag, its timer's
// (empty without one) and one string per do event, each the fragments of the
// do element's whole subtree.
struct CardSheetData
{
    std::string cardFragment;
    std::string timerFragment;
    std::vector<std::string> events;

    friend bool operator==(const CardSheetData &, const CardSheetData &) = default;
};

CardSheetData OpenCardSheet(const DeckNode *card);

// Rewrites the card from the sheet's data: its fragment, its timer (first
// child), its do events with their tasks and variables (before the first
// paragraph, which a card without one gets). `root` is the deck's.
void RebuildCard(DeckNode *root, DeckNode *card, const CardSheetData &data);

// The card list's label of a card: its title, or "No Name".
std::string CardRowLabel(const StartTag &card);

} // namespace tess
