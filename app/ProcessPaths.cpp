#include "app/ProcessPaths.h"

#include "app/SettingsKey.h"
#include "wml/DataPaths.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace tess {

std::string TempDirPath;
std::string DtdFilePath;
std::string CurrentFilePath;

StartupSettings readStartupSettings(const SettingsKey &key)
{
    StartupSettings s;
    s.dtdPath = key.readString(kSettingDtdPath).value_or(std::string());
    s.tempDir = key.readString(kSettingTempDir).value_or(std::string());
    return s;
}

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

std::string chooseDtdFilePath(const std::string &dtdSetting, const std::string &workingDir,
                              const std::string &bundledDtd)
{
    if (!dtdSetting.empty())
        return dtdSetting;
    const std::string local = workingDir + kLocalDtdName;
    std::error_code ec;
    // Beyond the original rule: without a local copy the bundled DTD serves,
    // so that validation works out of the box wherever the program starts.
    if (std::filesystem::is_regular_file(local, ec) || bundledDtd.empty())
        return local;
    return bundledDtd;
}

std::unique_ptr<PrivateTempDir> initProcessPaths(const SettingsKey &key,
                                                 const std::string &workingDir)
{
    const StartupSettings s = readStartupSettings(key);
    auto temp = std::make_unique<PrivateTempDir>(s.tempDir);
    TempDirPath = temp->path();
    DtdFilePath = chooseDtdFilePath(s.dtdPath, workingDir, bundledDtdPath());
    CurrentFilePath.clear();
    return temp;
}

} // namespace tess
