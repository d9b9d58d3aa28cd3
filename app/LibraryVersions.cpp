#include "app/LibraryVersions.h"

#include <QtGlobal>

#include <curl/curl.h>
#include <libxml/parser.h>
#include <libxml/xmlversion.h>

#include <cstdlib>

namespace tess {

namespace {

// libxml2 reports its run-time version as one number, 20914 for 2.9.14.
std::string dottedXmlVersion()
{
    const char *digits = xmlParserVersion;
    if (!digits)
        return LIBXML_DOTTED_VERSION;
    const long number = std::strtol(digits, nullptr, 10);
    return std::to_string(number / 10000) + "." + std::to_string(number / 100 % 100) + "."
        + std::to_string(number % 100);
}

} // namespace

std::vector<LibraryVersion> libraryVersions()
{
    const curl_version_info_data *curl = curl_version_info(CURLVERSION_NOW);
    return {
        {"Qt", qVersion(), "GNU LGPL version 3"},
        {"libxml2", dottedXmlVersion(), "MIT License"},
        {"libcurl", curl && curl->version ? curl->version : LIBCURL_VERSION, "curl License"},
    };
}

std::string aboutText()
{
    std::string text = "Tessarine 2.0\nVersion " TESS_VERSION "\n\nBuilt with:";
    for (const LibraryVersion &library : libraryVersions())
        text += "\n" + library.name + " " + library.version + " (" + library.licence + ")";
    return text;
}

} // namespace tess
