#pragma once

#include "model/DeckModel.h"
#include "source/XmlDocument.h"

#include <string>
#include <string_view>

namespace tess {

// Reads a deck's own source file (with its "<%" ... "%>" blocks) in step with
// the walk of the parsed pure copy, so that server code can be put back where
// it stood. The file is read whole on open; every call moves forward only, so
// a whole load scans the file once.
class SourceScanner
{
public:
    // Positions the scanner at the first "<w" (the wml element). A file that
    // cannot be read leaves the scanner at its end; one without "<w" is read
    // to its end.
    void open(const std::string &path);
    // The next tag name, "ASP" where a code block starts, or "EOF Detected "
    // (then "EOF Detected" on every later call) at the end. End tags are
    // passed over. A name ends at a blank, tab, line break, ">" or "/"; one
    // that runs into the end of the file counts as the end.
    std::string nextTag();
    // nextTag() without a copy: a view of the file's text (or of a fixed
    // text), valid until close().
    std::string_view nextTagView();
    // The code up to the next "%>" (after the "<%" that nextTag consumed), or
    // up to the end of the file when no "%>" follows.
    std::string code();
    void close();
    bool moreToRead() const { return m_more; }

private:
    std::string_view endOfFile();

    std::string m_text;
    size_t m_pos = 0;
    bool m_more = false;
};

// Builds deck nodes from parsed XML nodes, pulling code blocks from the
// scanner where they stood in the source. One reader serves one load.
class WMLReader
{
public:
    WMLReader(DeckModel &model, SourceScanner &scanner);

    // Stores `node` and its subtree under the node `parentId`; returns the
    // number of deck nodes stored for them, restored code blocks included
    // (the wml element itself stores none).
    int ReadNode(const XmlNode &node, int parentId);

    // Set: the next element is first matched against the scanner.
    bool sync = false;

private:
    int readNode(const XmlNode &node, DeckNode *parent);
    int readElement(const XmlNode &node, DeckNode *parent);
    int readChildren(const XmlNode &node, DeckNode *parent);
    // While the scanner's tag is "ASP", stores its code under `parent`;
    // `tag` is left at the first other tag.
    int readCodeBlocks(std::string_view &tag, DeckNode *parent);
    std::string_view nextTag();
    std::string startTag(const XmlNode &element, std::string_view name);
    DeckNode *append(DeckNode *parent, int kind, std::string fragment);

    DeckModel &m_model;
    SourceScanner &m_scanner;
    int m_codeKind;
    std::string m_tag; // reused while a start tag is built
};

// Element kind of a tag name, case-sensitive; 0 for names without one.
int KindOfTag(std::string_view name);

// Replaces the model's tree with one built from the parsed document; returns
// the number of nodes stored below the root. Code blocks are restored from
// the model's own file (model.filePath), as kind 21 for a JSP document and
// 20 otherwise. Sets the valid-deck flag.
int LoadDeck(DeckModel &model, const XmlDocument &doc);

} // namespace tess
