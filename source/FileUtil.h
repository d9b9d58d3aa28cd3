#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tess {

// Reads a whole file as bytes; nullopt (with a reason in *error) when it
// cannot be opened or read.
std::optional<std::string> readWholeFile(const std::string &path, std::string *error = nullptr);

// Whether the file holds `needle`, read piece by piece rather than whole;
// false for a file that cannot be read.
bool fileContains(const std::string &path, std::string_view needle);

// Writes `data` to `path` atomically: the bytes go to a new file beside it,
// are flushed to disk, and the new file is renamed over the old one. A crash
// or failure leaves either the old or the new file, never a truncated one.
// The file keeps the permissions of the file it replaces.
bool writeFileAtomically(const std::string &path, const std::string &data,
                         std::string *error = nullptr);

// As writeFileAtomically, without waiting for the bytes to reach the disk:
// for the program's own scratch files in its temporary folder (the pure copy
// of a deck), which nobody needs after a crash.
bool writeScratchFile(const std::string &path, std::string_view data, std::string *error = nullptr);

// Test hook: when set, writeFileAtomically and writeScratchFile fail just
// before the rename, as a crash at the worst moment would.
void setAtomicWriteFailureForTesting(bool fail);

} // namespace tess
