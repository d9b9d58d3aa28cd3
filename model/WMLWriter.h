#pragma once

#include "model/DeckModel.h"
#include "source/XmlDocument.h"

#include <string>
#include <vector>

namespace tess {

// How the writer sees one stored fragment.
enum class FragmentClass { Nothing, EntityReference, Text, Comment, Element, ServerCode };

struct ClassifiedFragment
{
    FragmentClass kind = FragmentClass::Nothing;
    std::string name; // element tag name, or entity name ("nbsp", "shy")
    std::string text; // text run, comment text, or server code without markers
    std::vector<XmlAttribute> attributes; // element attributes in fragment order
    bool malformed = false; // an element fragment that breaks the tokenising rules
};

// Classifies and tokenises an element's fragment as the writer does.
ClassifiedFragment ClassifyFragment(const CWMLBase &element);

// Builds the XML document of the model's tree into `doc` (a "wml" document
// element holding the deck). Returns false when the document cannot be built.
bool BuildDeckDocument(const DeckModel &model, XmlDocument &doc);

// Writes the deck: builds its XML document and saves it to the model's file
// path when that is not empty. On a failed save "Unable to Save the File" is
// shown and false returned; on success the valid-deck flag is set.
bool WriteDeck(DeckModel &model);

// Emits one node and its subtree under `xmlParent`; returns the last node
// visited (or the node whose identifier is `stopId`).
DeckNode *Walk(DeckNode *node, XmlNode xmlParent, XmlDocument &doc, int stopId);

} // namespace tess
