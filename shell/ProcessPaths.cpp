#include "shell/ProcessPaths.h"

#include "shell/SettingsKey.h"
#include "source/DataPaths.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <unistd.h>

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

std::string makeTempDirPath(const std::string &tempDirSetting, const std::string &workingDir)
{
    const std::string path = (tempDirSetting.empty() ? workingDir : tempDirSetting) + kTempDirName;
    std::error_code ec;
    // A plain file of that name counts as existing; symlink_status so that a
    // dangling link does too.
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, ec)))
        std::filesystem::create_directory(path, ec);
    return path;
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

void initProcessPaths(const SettingsKey &key, const std::string &workingDir)
{
    const StartupSettings s = readStartupSettings(key);
    TempDirPath = makeTempDirPath(s.tempDir, workingDir);
    DtdFilePath = chooseDtdFilePath(s.dtdPath, workingDir, bundledDtdPath());
    CurrentFilePath.clear();
}

bool cleanUpTempDir(const std::string &tempDirPath)
{
    if (std::remove((tempDirPath + kTempDeckName).c_str()) != 0)
        return false;
    // rmdir, not a recursive delete: a folder still holding files stays.
    return ::rmdir(tempDirPath.c_str()) == 0;
}

} // namespace tess
