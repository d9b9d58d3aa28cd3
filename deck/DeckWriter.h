#pragma once

#include "deck/DeckModel.h"
#include "wml/XmlDocument.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tess {

// How the writer sees one stored fragment.
enum class FragmentClass {
    Nothing,
    EntityReference,
    Text,
    Comment,
    CData,
    Instruction,
    Element,
    ServerCode,
};

struct ClassifiedFragment
{
    FragmentClass kind = FragmentClass::Nothing;
    std::string name; // element tag name, entity name ("nbsp", "shy") or instruction target
    std::string text; // escaped text, comment, CDATA or instruction text, or server code
                      // without markers
    std::vector<XmlAttribute> attributes; // element attributes in fragment order, unescaped
    // An element fragment off the start-tag shape (see StartTag). What could
    // be read is still used.
    bool malformed = false;
};

// Classifies an element's fragment as the writer does; a start tag's parts
// are those the element read.
ClassifiedFragment ClassifyFragment(const Element &element);

// Builds the XML document of the model's tree into `doc` (a "wml" document
// element holding the deck). A fragment that XML refuses (a tag or attribute
// name that is no XML name, a comment holding "--", control characters)
// makes no node: an element's children then go under the element's parent,
// a refused attribute is left out of its element. Each refused fragment is
// appended to `refused` when given. False only when `doc` already holds a
// document element.
bool BuildDeckDocument(const DeckModel &model, XmlDocument &doc,
                       std::vector<std::string> *refused = nullptr);

// Emits `node` and its subtree under `xmlParent`; returns the last node
// visited, or the first whose identifier is `stopId`. Iterative, so a deep
// tree cannot exhaust the stack.
DeckNode *Walk(DeckNode *node, XmlNode xmlParent, XmlDocument &doc, int stopId,
               std::vector<std::string> *refused = nullptr);

} // namespace tess
