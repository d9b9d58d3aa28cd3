#include "app/SettingsKey.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <array>
#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace tess {

namespace {

// The key path software\Morvane Inc.\Tessarine, one group level per part.
const char *const kGroup = "software/Morvane Inc./Tessarine";
const char *const kNumberPrefix = "dword:";

constexpr std::array<SettingInfo, 12> kSettings = {{
    {kSettingDtdPath, SettingType::String, "", 0},
    {kSettingLocalDtd, SettingType::Number, "", 0},
    {kSettingTempDir, SettingType::String, "", 0},
    {kSettingApplicationPath, SettingType::String, "", 0},
    {kSettingEmulator, SettingType::String, "", 0},
    {kSettingKeywordColor, SettingType::Number, "", 0x80},
    {kSettingStringsColor, SettingType::Number, "", 0x8000},
    {kSettingScriptColor, SettingType::Number, "", 0x8000},
    {kSettingCommentColor, SettingType::Number, "", 0x8080},
    {kSettingAttributesColor, SettingType::Number, "", 0x800000},
    {kSettingDefaultFont, SettingType::String, "Arial", 0},
    {kSettingControlsBar, SettingType::Number, "", 0},
}};

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

bool isNumberText(const QString &text)
{
    return text.startsWith(QLatin1String(kNumberPrefix));
}

std::optional<uint32_t> parseDigits(std::string_view digits, int base)
{
    if (digits.empty())
        return std::nullopt;
    uint32_t value = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (ec != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

} // namespace

std::span<const SettingInfo> allSettings()
{
    return kSettings;
}

const SettingInfo *findSetting(std::string_view name)
{
    for (const SettingInfo &s : kSettings) {
        if (name == s.name)
            return &s;
    }
    return nullptr;
}

std::optional<uint32_t> parseSettingNumber(std::string_view text)
{
    if (text.starts_with(kNumberPrefix)) {
        std::string_view hex = text.substr(std::string_view(kNumberPrefix).size());
        return hex.size() <= 8 ? parseDigits(hex, 16) : std::nullopt;
    }
    if (text.starts_with("0x") || text.starts_with("0X"))
        return parseDigits(text.substr(2), 16);
    // from_chars accepts no sign, so "-1" and "+1" are rejected here.
    return parseDigits(text, 10);
}

std::string SettingsKey::defaultFilePath()
{
    if (const char *env = std::getenv("TESSARINE_SETTINGS"); env && *env)
        return env;
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return (base + QStringLiteral("/Morvane Inc./Tessarine.ini")).toStdString();
}

SettingsKey::SettingsKey()
    : m_path(defaultFilePath())
{ }

SettingsKey::SettingsKey(std::string iniPath)
    : m_path(std::move(iniPath))
{ }

bool SettingsKey::exists() const
{
    return QFileInfo(QString::fromStdString(m_path)).isFile();
}

std::optional<std::string> SettingsKey::readString(std::string_view name) const
{
    if (!exists())
        return std::nullopt;
    QSettings settings(QString::fromStdString(m_path), QSettings::IniFormat);
    settings.beginGroup(QLatin1String(kGroup));
    const QVariant value = settings.value(qs(name));
    // Lists, byte arrays and @Variant values are not plain text.
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    const QString text = value.toString();
    if (isNumberText(text))
        return std::nullopt;
    std::string bytes = text.toStdString();
    if (bytes.size() > kMaxStringBytes)
        return std::nullopt;
    return bytes;
}

std::optional<uint32_t> SettingsKey::readNumber(std::string_view name) const
{
    if (!exists())
        return std::nullopt;
    QSettings settings(QString::fromStdString(m_path), QSettings::IniFormat);
    settings.beginGroup(QLatin1String(kGroup));
    const QVariant value = settings.value(qs(name));
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    return parseSettingNumber(value.toString().toStdString());
}

bool SettingsKey::writeRaw(std::string_view name, const std::string &text)
{
    if (!exists())
        return false;
    QSettings settings(QString::fromStdString(m_path), QSettings::IniFormat);
    if (settings.status() != QSettings::NoError || !settings.isWritable())
        return false;
    settings.beginGroup(QLatin1String(kGroup));
    settings.setValue(qs(name), QString::fromStdString(text));
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool SettingsKey::writeString(std::string_view name, const std::string &value)
{
    return writeRaw(name, value);
}

bool SettingsKey::writeNumber(std::string_view name, uint32_t value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%s%08x", kNumberPrefix, unsigned(value));
    return writeRaw(name, text);
}

bool SettingsKey::create()
{
    const QFileInfo file(QString::fromStdString(m_path));
    // Level 1: the folder.
    const QString folder = file.absolutePath();
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder))
        return false;
    // Level 2: the file.
    if (!file.exists()) {
        QFile f(file.absoluteFilePath());
        if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return false;
    } else if (!file.isFile()) {
        return false;
    }
    // Level 3: the group. An INI file keeps no empty group, so it comes into
    // being with its first value; here it is enough that the file can take it.
    QSettings settings(file.absoluteFilePath(), QSettings::IniFormat);
    return settings.status() == QSettings::NoError && settings.isWritable();
}

std::string SettingsKey::stringOrDefault(std::string_view name) const
{
    if (std::optional<std::string> value = readString(name))
        return *value;
    const SettingInfo *info = findSetting(name);
    return info ? info->defaultText : std::string();
}

uint32_t SettingsKey::numberOrDefault(std::string_view name) const
{
    if (std::optional<uint32_t> value = readNumber(name))
        return *value;
    const SettingInfo *info = findSetting(name);
    return info ? info->defaultNumber : 0;
}

uint32_t SettingsKey::color(std::string_view name) const
{
    return numberOrDefault(name) & 0x00FFFFFFu;
}

} // namespace tess
