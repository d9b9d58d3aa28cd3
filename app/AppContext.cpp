#include "app/AppContext.h"

#include "app/PrivateTempDir.h"
#include "app/SettingsKey.h"

namespace tess {

AppContext::AppContext() = default;

AppContext::~AppContext() = default;

void AppContext::startUp(const SettingsKey &key)
{
    m_folder
        = std::make_unique<PrivateTempDir>(key.readString(kSettingTempDir).value_or(std::string()));
    tempDir = m_folder->path();
    currentFile.clear();
    settingsPath = key.filePath();
}

std::string AppContext::tempDirWarning() const
{
    return m_folder ? m_folder->warning() : std::string();
}

void AppContext::removeTempDir()
{
    m_folder.reset();
    tempDir.clear();
}

} // namespace tess
