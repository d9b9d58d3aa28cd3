#pragma once

#include "deck/ElementKind.h"

#include <string>
#include <string_view>

namespace tess {

class DeckNode;

// What an element dialog hands back when it closes: the element's fragment
// (unchanged after Cancel) and, for options and anchors, the words of the
// text child as the user sees them.
struct DialogOutcome
{
    bool accepted = false;
    std::string fragment;
    std::string words;
};

// Whether Properties opens a dialog for an element of `kind`: not for cards,
// paragraphs, breaks and the rest.
bool HasPropertiesDialog(ElementKind kind);

// The words of an option's or anchor's plain text child, "<" and ">" shown
// as typed; empty when it has none.
std::string TextChildWords(const DeckNode *node);
// Stores the words in the plain text child, making one when missing.
void SetTextChildWords(DeckNode *node, std::string_view words);

// Copies the dialog's fragment back into the element; after OK, an option's
// or anchor's words go to its text child.
void ApplyDialogOutcome(DeckNode *node, const DialogOutcome &outcome);

} // namespace tess
