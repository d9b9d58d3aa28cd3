#include "gui/emulator/ScreenProfile.h"

#include "app/SettingsKey.h"

#include <QSettings>
#include <QString>

#include <cstdlib>
#include <filesystem>

namespace tess::emu {

namespace {

constexpr const char *kProfileKey = "Screen Profile";

} // namespace

std::span<const ScreenProfile> screenProfiles()
{
    return phoneProfiles();
}

const ScreenProfile *findScreenProfile(std::string_view id)
{
    return findPhoneProfile(id);
}

const ScreenProfile &defaultScreenProfile()
{
    return defaultPhoneProfile();
}

std::string emulatorSettingsPath()
{
    if (const char *own = std::getenv("TESSARINE_EMULATOR_SETTINGS"); own && *own)
        return own;
    const std::filesystem::path ide(SettingsKey::defaultFilePath());
    return (ide.parent_path() / "Tessarine-emulator.ini").string();
}

const ScreenProfile &rememberedScreenProfile()
{
    const QSettings settings(QString::fromStdString(emulatorSettingsPath()), QSettings::IniFormat);
    const ScreenProfile *p
        = findScreenProfile(settings.value(QLatin1String(kProfileKey)).toString().toStdString());
    return p ? *p : defaultScreenProfile();
}

void rememberScreenProfile(const ScreenProfile &profile)
{
    QSettings settings(QString::fromStdString(emulatorSettingsPath()), QSettings::IniFormat);
    settings.setValue(QLatin1String(kProfileKey), QLatin1String(profile.id));
}

} // namespace tess::emu
