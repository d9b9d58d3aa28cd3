#pragma once

#include "model/DeckModel.h"
#include "source/XmlDocument.h"

#include <string>

namespace tess {

// Reads a deck's own source file (with its "<%" ... "%>" blocks) in step with
// the walk of the parsed pure copy, so that server code can be put back where
// it stood.
class SourceScanner
{
public:
    // Positions the scanner at the start of the wml element. A file that
    // cannot be read leaves the scanner at its end.
    void open(const std::string &path);
    // The next tag name, "ASP" where a code block starts, or "EOF Detected "
    // (then "EOF Detected" on every later call) at the end.
    std::string nextTag();
    // The code up to the next "%>" (after the "<%" that nextTag consumed).
    std::string code();
    void close();
    bool moreToRead() const { return m_more; }

private:
    std::string m_text;
    size_t m_pos = 0;
    bool m_more = false;
    bool m_reportedEnd = false;
};

// Replaces the model's tree with one built from the parsed document; returns
// the number of nodes stored. Code blocks are restored from the model's own
// file (model.filePath) for ASP and JSP documents.
int LoadDeck(DeckModel &model, const XmlDocument &doc);

} // namespace tess
