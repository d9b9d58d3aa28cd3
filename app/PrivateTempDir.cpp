#include "app/PrivateTempDir.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace tess {

namespace {

constexpr const char *kPrivateDirTemplate = "/Tessarine-XXXXXX";

// mkdtemp rather than QTemporaryDir: the folder is taken away by a walk that
// removes files whose names are not UTF-8 too.
std::string makePrivateDir(const std::string &parent, std::string *why)
{
    std::string path = parent + kPrivateDirTemplate;
    if (::mkdtemp(path.data()))
        return path;
    *why = std::string("cannot make a folder in it: ") + std::strerror(errno);
    return {};
}

std::string systemTempDir()
{
    std::error_code ec;
    const std::filesystem::path dir = std::filesystem::temp_directory_path(ec);
    return ec ? std::string("/tmp") : dir.string();
}

// Why the setting cannot hold the instance's folder, before trying to make it.
std::string unusableFolderReason(const std::string &folder)
{
    std::error_code ec;
    const std::filesystem::file_status st = std::filesystem::status(folder, ec);
    if (st.type() == std::filesystem::file_type::not_found)
        return "no such folder";
    if (ec)
        return ec.message();
    if (st.type() != std::filesystem::file_type::directory)
        return "not a folder";
    return {};
}

} // namespace

PrivateTempDir::PrivateTempDir(const std::string &tempDirSetting)
{
    std::string why;
    if (!tempDirSetting.empty()) {
        why = unusableFolderReason(tempDirSetting);
        if (why.empty())
            m_path = makePrivateDir(tempDirSetting, &why);
    }
    if (m_path.empty()) {
        std::string systemWhy;
        m_path = makePrivateDir(systemTempDir(), &systemWhy);
        if (m_path.empty() && why.empty())
            why = systemWhy;
    }
    if (!tempDirSetting.empty() && !why.empty()) {
        m_warning = "Temp Dir \"" + tempDirSetting + "\" cannot be used (" + why + "): ";
        m_warning += m_path.empty() ? "no temporary folder could be made"
                                    : "temporary files go to " + m_path + " instead";
    }
}

PrivateTempDir::~PrivateTempDir()
{
    std::error_code ec;
    if (!m_path.empty())
        std::filesystem::remove_all(m_path, ec);
}

} // namespace tess
