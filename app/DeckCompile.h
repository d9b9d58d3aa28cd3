#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tess {

// The command-line modes behind "--compile" and "--size": the deck is read
// and validated as Compile does, then compiled to WBXML as a gateway would.

// Writes FILE's compiled form to `out` (atomically). Returns 0, or 1 with
// the reason on `err` (the parser's error as "FILE:LINE:COLUMN: error: ...").
int compileDeckTo(const std::string &file, const std::string &out, std::ostream &err);

// One line per file on `out`: "FILE: text 3,210 bytes, compiled 1,234 bytes;
// small 1,397 fits; medium 2,000 fits; large 3,500 fits", with "(the WML
// around the server code)" after a server page's compiled size. Returns 0, or
// 1 when any file could not be compiled (its reason on `err`).
int printDeckSizes(const std::vector<std::string> &files, std::ostream &out, std::ostream &err);

} // namespace tess
