#pragma once

#include <memory>
#include <string>

namespace tess {

class SettingsKey;

// Paths shared by the whole program, set at start-up and kept until exit.
// TempDirPath: this instance's private folder for scratch files (a new deck's
// ".tmp" file); empty until start-up has made it.
// DtdFilePath: the local WML 1.1 DTD (the preferences dialog may change it).
// CurrentFilePath: the file last opened, by name from the command line, Open
// File or the project tree; empty at first.
extern std::string TempDirPath;
extern std::string DtdFilePath;
extern std::string CurrentFilePath;

inline constexpr const char *kLocalDtdName = "/wml_1.1.xml";

// The two values start-up reads from the key; a failed read leaves one empty.
struct StartupSettings
{
    std::string dtdPath;
    std::string tempDir;
};
StartupSettings readStartupSettings(const SettingsKey &key);

// A private temporary folder, removed with all it holds when the object
// goes: one for each running instance's scratch files, so that two instances
// never share one, whatever folder they started from. It is made inside the
// "Temp Dir" setting when that names a folder the program can write in, else
// in the system's temporary folder, and warning() says why the setting was
// passed over.
class PrivateTempDir
{
public:
    explicit PrivateTempDir(const std::string &tempDirSetting = {});
    ~PrivateTempDir();
    PrivateTempDir(const PrivateTempDir &) = delete;
    PrivateTempDir &operator=(const PrivateTempDir &) = delete;

    // Empty when not even the system's temporary folder could take one.
    const std::string &path() const { return m_path; }
    const std::string &warning() const { return m_warning; }

private:
    std::string m_path;
    std::string m_warning;
};

// dtdSetting when set; else workingDir + "/wml_1.1.xml" when that file is
// there; else bundledDtd, the copy shipped with the program (unless that is
// empty too, when the working-directory name is kept so that the later error
// names a path).
std::string chooseDtdFilePath(const std::string &dtdSetting, const std::string &workingDir,
                              const std::string &bundledDtd);

// Makes the instance's temporary folder and sets TempDirPath to it, sets
// DtdFilePath from the key, and clears CurrentFilePath. The folder lives as
// long as the object returned.
std::unique_ptr<PrivateTempDir> initProcessPaths(const SettingsKey &key,
                                                 const std::string &workingDir);

} // namespace tess
