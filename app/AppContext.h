#pragma once

#include <memory>
#include <string>

namespace tess {

class PrivateTempDir;
class SettingsKey;

// What the running instance shares between its windows: one, owned by the
// application and handed to what needs it.
class AppContext
{
public:
    AppContext();
    ~AppContext();
    AppContext(const AppContext &) = delete;
    AppContext &operator=(const AppContext &) = delete;

    // Start-up: makes the instance's private temporary folder where the
    // key's "Temp Dir" says (see PrivateTempDir) and forgets the file last
    // opened.
    void startUp(const SettingsKey &key);
    // Why start-up passed "Temp Dir" over; empty when all went as set.
    std::string tempDirWarning() const;
    // Takes the instance's folder away with all it holds and empties tempDir.
    void removeTempDir();

    // This instance's folder for scratch files (a new deck's ".tmp" file);
    // empty until start-up has made it, when the system's folder serves.
    std::string tempDir;
    // The file last opened, by name from the command line, Open File or the
    // project tree; empty at first.
    std::string currentFile;
    // The settings file the instance started with; empty before start-up,
    // when the program's own file serves.
    std::string settingsPath;

private:
    std::unique_ptr<PrivateTempDir> m_folder;
};

} // namespace tess
