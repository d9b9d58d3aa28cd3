#pragma once

#include "model/DeckModel.h"
#include "source/MessageSink.h"
#include "source/XmlDocument.h"

#include <string>

namespace tess {

// What the last load or validation left behind, for as long as the program
// runs: the output message, the error flag and the error's line and position
// as shown (one more than the parser's values).
struct CompileState
{
    std::string outputMessage;
    bool errorFlag = false;
    int errorLine = 0;
    int errorPosition = 0;
    bool lineJumpPending = false;
};

CompileState &compileState();

// "Error 0x%.8X on line %d, position %d\r\n" + reason, with line and position
// shown one higher than the parser's.
std::string formatParseError(const XmlParseError &error);

// Where the pure copy of a deck is written before parsing ("WapTemprary.wml"
// in the given temporary folder).
std::string pureCopyPath(const std::string &tempDir);

// Load the deck from its file: converts the file into a pure WML copy in
// `tempDir`, parses and validates the copy, and on success rebuilds the
// model's tree from it. Reports success or the parser's error to `sink` and
// records it in compileState(). The model's own file is never written.
bool LoadDeckFromFile(DeckModel &model, const std::string &tempDir, MessageSink &sink);

// Write the deck to its file (through the XML parser service).
bool WriteDeckToFile(DeckModel &model);

} // namespace tess
