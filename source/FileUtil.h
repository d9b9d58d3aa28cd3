#pragma once

#include <optional>
#include <string>

namespace tess {

// Reads a whole file as bytes; nullopt (with a reason in *error) when it
// cannot be opened or read.
std::optional<std::string> readWholeFile(const std::string &path, std::string *error = nullptr);

// Writes `data` to `path` atomically: the bytes go to a new file beside it,
// are flushed to disk, and the new file is renamed over the old one. A crash
// or failure leaves either the old or the new file, never a truncated one.
// The file keeps the permissions of the file it replaces.
bool writeFileAtomically(const std::string &path, const std::string &data,
                         std::string *error = nullptr);

// Test hook: when set, writeFileAtomically fails just before the rename,
// as a crash at the worst moment would.
void setAtomicWriteFailureForTesting(bool fail);

} // namespace tess
