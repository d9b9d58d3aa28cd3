#pragma once

#include "model/DeckModel.h"
#include "model/WMLReader.h"
#include "model/WMLWriter.h"
#include "source/SourceForm.h"
#include "source/XmlDocument.h"
#include "source/XmlTestSupport.h"

#include <string>

namespace tess::test {

// Decks in a scratch folder: loaded from WML text through the parser and the
// reader, and written back and validated against the WML 1.1 DTD.
struct DeckFiles
{
    ScratchDir scratch;

    // The saved prologue starts with a blank that the formatter takes away;
    // XML allows nothing before its declaration.
    static std::string header()
    {
        const std::string text = prologue(false, "");
        return text.substr(text.find('<'));
    }

    // Reads `cards` (the content of the wml element) into `model`.
    bool load(DeckModel &model, const std::string &cards) const
    {
        model.filePath = scratch.write("deck.wml", header() + "<wml>" + cards + "</wml>");
        XmlDocument doc;
        return doc.load(model.filePath) && LoadDeck(model, doc) > 0;
    }

    // Empty when the written deck, with its prologue, passes the DTD; else
    // the parser's reason and line.
    std::string validationError(DeckModel &model) const
    {
        model.filePath = scratch.path("written.wml");
        if (!WriteDeck(model))
            return "not written";
        XmlDocument doc;
        const std::string checked
            = scratch.write("checked.wml", header() + readBytes(model.filePath));
        if (doc.load(checked))
            return {};
        return doc.parseError().reason + " (line " + std::to_string(doc.parseError().line + 1)
            + "): " + readBytes(model.filePath);
    }
};

} // namespace tess::test
