#pragma once

#include <string>
#include <vector>

namespace tess {

// A library the program runs with: its version as loaded at run time,
// which may be newer than the one it was built against.
struct LibraryVersion
{
    std::string name;
    std::string version;
    std::string licence;
};

// Qt, libxml2 and libcurl, in that order.
std::vector<LibraryVersion> libraryVersions();

// The About box's text: the program and its version, then each library
// with its version and licence, one a line.
std::string aboutText();

} // namespace tess
