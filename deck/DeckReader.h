#pragma once

#include "deck/DeckModel.h"
#include "wml/ServerCodeMask.h"
#include "wml/XmlDocument.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tess {

// Builds deck nodes from parsed XML nodes. Text and attribute values are
// stored escaped as they stand in a file; every text run is kept, down to a
// single character or blank. Code blocks that were masked inside text (each
// mask starting with the marker U+E000) are put back from `blocks`, in order.
// One reader serves one load.
class DeckReader
{
public:
    DeckReader(DeckModel &model, const std::vector<ServerCodeBlock> &blocks);

    // Stores `node` and its subtree under the node `parentId`; returns the
    // number of deck nodes stored for them, restored code blocks included
    // (the wml element itself stores none).
    int ReadNode(const XmlNode &node, int parentId);

private:
    int readNode(const XmlNode &node, DeckNode *parent);
    int readElement(const XmlNode &node, DeckNode *parent);
    int readChildren(const XmlNode &node, DeckNode *parent);
    int readText(std::string_view text, DeckNode *parent);
    std::string startTag(const XmlNode &element, std::string_view name);
    DeckNode *append(DeckNode *parent, ElementKind kind, std::string fragment);

    DeckModel &m_model;
    std::vector<const ServerCodeBlock *> m_marked;
    size_t m_nextBlock = 0;
    ElementKind m_codeKind;
    std::string m_tag; // reused while a start tag is built
};

// Element kind of a tag name, case-sensitive; Other for names without one.
ElementKind KindOfTag(std::string_view name);

// Replaces the model's tree with one built from the parsed document; returns
// the number of nodes stored below the root. Marked code blocks come back as
// kind Jsp for a JSP document and Asp otherwise. `page` is the deck's text as
// decoded (UTF-8): what stands before and after its root element is kept in
// the model's file form. Sets the valid-deck flag.
int LoadDeck(DeckModel &model, const XmlDocument &doc, std::string_view page = {},
             const std::vector<ServerCodeBlock> &blocks = {});

// Where the root element starts and where what follows it begins, in a
// deck's text: declarations, comments, processing instructions, the document
// type and server code before it are passed over. {npos, npos} when there is
// no root element.
std::pair<size_t, size_t> RootElementSpan(std::string_view page);

// Just past the end of the declaration starting with "<!" at `at` (a document
// type declaration's internal subset may hold ">" in declarations and quoted
// strings); npos when it is never closed.
size_t pastDoctype(std::string_view page, size_t at);

} // namespace tess
