#pragma once

#include <string>

namespace tess {

class SettingsKey;

// Paths shared by the whole program, set at start-up and kept until exit.
// TempDirPath: the folder of temporary decks ("temp.wml" and friends).
// DtdFilePath: the local WML 1.1 DTD (the preferences dialog may change it).
// CurrentFilePath: the file last opened, by name from the command line, Open
// File or the project tree; empty at first.
extern std::string TempDirPath;
extern std::string DtdFilePath;
extern std::string CurrentFilePath;

inline constexpr const char *kTempDirName = "/Temp";
inline constexpr const char *kLocalDtdName = "/wml_1.1.xml";
inline constexpr const char *kTempDeckName = "/temp.wml";

// The two values start-up reads from the key; a failed read leaves one empty.
struct StartupSettings
{
    std::string dtdPath;
    std::string tempDir;
};
StartupSettings readStartupSettings(const SettingsKey &key);

// tempDirSetting (or workingDir when it is empty) + "/Temp", taken as it is:
// a setting that ends in "/" gives a doubled separator. The folder is made
// when nothing of that name exists; a failure is not reported, because the
// writes into it will say so where they happen.
std::string makeTempDirPath(const std::string &tempDirSetting, const std::string &workingDir);

// dtdSetting when set; else workingDir + "/wml_1.1.xml" when that file is
// there; else bundledDtd, the copy shipped with the program (unless that is
// empty too, when the working-directory name is kept so that the later error
// names a path).
std::string chooseDtdFilePath(const std::string &dtdSetting, const std::string &workingDir,
                              const std::string &bundledDtd);

// Sets TempDirPath and DtdFilePath from the key, and clears CurrentFilePath.
void initProcessPaths(const SettingsKey &key, const std::string &workingDir);

// Shut-down: deletes tempDirPath + "/temp.wml" and, only when that worked,
// the folder itself if it is empty. Returns whether the folder was removed.
bool cleanUpTempDir(const std::string &tempDirPath);

} // namespace tess
