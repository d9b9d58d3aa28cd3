#pragma once

#include "deck/DeckLint.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace tess {

class SettingsKey;

// The command-line modes behind "--check" and "--format". Both load a deck
// exactly as Compile does, from memory, and never write the checked file;
// a file that is no regular file, or larger than any deck can be, is
// reported without being read.

// Validates each file in turn. For each one the output window's text goes to
// `out` after the file name; a failure also gives "FILE:LINE:COLUMN: error:
// REASON" on `err`. A file that cannot be opened is reported on `err`.
// Returns 0 when all pass, 1 when any fails, 2 without files. The last
// file's deck stays in memory until the next check or the end of the process.
int checkDecks(const std::vector<std::string> &files, std::ostream &out, std::ostream &err);

// What --lint adds to the check.
struct LintRequest
{
    bool enabled = false;
    LintOptions options;
    bool warningsFail = false; // --werror; notes never fail
};

// The same, then for each valid deck its lint findings on `err`, one
// "FILE:LINE:COL: warning: TEXT [rule]" line each; a deck the parser refused
// still gets the findings on its bytes, before its error line. Findings
// change the status only with `warningsFail`.
int checkDecks(const std::vector<std::string> &files, const LintRequest &lint, std::ostream &out,
               std::ostream &err);

// Prints the file's code as the Code tab shows it after a design round trip:
// loaded, written by the deck writer, then turned into source form with the
// prologue chosen by the settings "Local DTD" and "DTD Path". Returns 0, or 1
// with the reason on `err`.
int formatDeck(const std::string &file, const SettingsKey &settings, std::ostream &out,
               std::ostream &err);

} // namespace tess
