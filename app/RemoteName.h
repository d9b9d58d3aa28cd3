#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tess {

// What a server says reaches the user and the disk only through here: a
// listing is the server's to write, so its names are checked before one
// becomes a local file name, and its texts are cut before one is shown.

// `text` as one line of at most `limit` bytes: cut at the first line break,
// control characters dropped.
std::string OneLine(std::string_view text, size_t limit = 512);

enum class RemoteNameUse { Take, Skip, Refuse };

// "." and ".." are skipped; a name is refused when it is empty, absolute,
// holds "/", "\", NUL or a control character, or is ".." as a whole.
RemoteNameUse CheckRemoteName(std::string_view name);

// The notice for a refused name, naming it as OneLine() shows it.
std::string RefusedNameText(std::string_view name);

// One entry of a server folder.
struct RemoteEntry
{
    std::string name;
    bool folder = false;
    std::uint64_t size = 0;
};

// The entries of an MLSD answer ("fact=value;...; name" lines); the current
// and parent folder entries and unreadable lines are left out.
std::vector<RemoteEntry> ParseMlsd(std::string_view text);
// The entries of a LIST answer in the Unix ("drwxr-xr-x 2 u g 4096 Jan 1
// 10:00 name") or the DOS form ("01-31-24  10:00AM  <DIR>  name").
std::vector<RemoteEntry> ParseList(std::string_view text);

// The part of `path` after its last "/" or, failing that, its last "\".
std::string LastPart(std::string_view path);

} // namespace tess
