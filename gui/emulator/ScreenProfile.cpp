#include "gui/emulator/ScreenProfile.h"

#include "app/SettingsKey.h"

#include <QSettings>
#include <QString>

#include <array>
#include <cstdlib>
#include <filesystem>

namespace tess::emu {

namespace {

// The budgets are what phones of each kind took in one deck.
constexpr std::array kProfiles = {
    ScreenProfile {"small", "Small monochrome 96 \u00d7 65", 96, 65, 9, 1397, true},
    ScreenProfile {"medium", "Medium 128 \u00d7 128 colour", 128, 128, 11, 2000, false},
    ScreenProfile {"large", "Large 176 \u00d7 208 colour", 176, 208, 12, 3500, false},
};

constexpr const char *kProfileKey = "Screen Profile";

} // namespace

std::span<const ScreenProfile> screenProfiles()
{
    return kProfiles;
}

const ScreenProfile *findScreenProfile(std::string_view id)
{
    for (const ScreenProfile &p : kProfiles)
        if (id == p.id)
            return &p;
    return nullptr;
}

const ScreenProfile &defaultScreenProfile()
{
    return kProfiles[1];
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
