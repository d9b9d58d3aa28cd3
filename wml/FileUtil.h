#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tess {

// The most a deck, or any file read whole, may hold: far above any real
// deck, low enough that a hostile file cannot take all memory.
inline constexpr uint64_t kLargestReadFile = uint64_t(256) << 20;

// Why the file cannot be read whole: empty when it can, else "cannot open
// PATH: REASON" or "cannot read PATH: REASON". Only regular files of at most
// `maxBytes` qualify, and a FIFO or device is turned away without waiting on
// it. Nothing is read.
std::string unreadableFileReason(const std::string &path, uint64_t maxBytes = kLargestReadFile);

// Reads a whole regular file as bytes; nullopt (with the reason above in
// *error) when it cannot be opened or read, is no regular file or is larger
// than `maxBytes`.
std::optional<std::string> readWholeFile(const std::string &path, std::string *error = nullptr,
                                         uint64_t maxBytes = kLargestReadFile);

// The first `maxBytes` bytes of a regular file (all of a shorter one), for
// formats whose header says how much they need.
std::optional<std::string> readFileHead(const std::string &path, uint64_t maxBytes,
                                        std::string *error = nullptr);

// Writes `data` to `path` atomically: the bytes go to a new file beside it
// (a short hidden name, so that a name near the system's limit can still be
// saved), are flushed to disk, and the new file is renamed over the old one. A crash
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
