#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tess {

// The recent-file list lives in a profile of its own under this company.
inline constexpr const char *kProfileCompany = "Local AppWizard-Generated Applications";

// Value names of the settings key.
inline constexpr const char *kSettingDtdPath = "DTD Path";
inline constexpr const char *kSettingLocalDtd = "Local DTD";
inline constexpr const char *kSettingTempDir = "Temp Dir";
inline constexpr const char *kSettingApplicationPath = "Application Path";
inline constexpr const char *kSettingEmulator = "Emulator Settings";
inline constexpr const char *kSettingKeywordColor = "Keyword Color";
inline constexpr const char *kSettingStringsColor = "Strings Color";
inline constexpr const char *kSettingScriptColor = "Script Color";
inline constexpr const char *kSettingCommentColor = "Comment Color";
inline constexpr const char *kSettingAttributesColor = "Attributes Color";
inline constexpr const char *kSettingDefaultFont = "Default Font";
// 1 while the "Designing" bar is shown, kept from one session to the next.
inline constexpr const char *kSettingControlsBar = "WML Controls Bar";

enum class SettingType { String, Number };

// One value of the key with the default its readers use when it is missing.
struct SettingInfo
{
    const char *name;
    SettingType type;
    const char *defaultText; // for strings
    uint32_t defaultNumber; // for numbers; colours are 0x00BBGGRR
};

// Every value the program keeps, in the order of the settings table.
std::span<const SettingInfo> allSettings();
const SettingInfo *findSetting(std::string_view name);

// The one key holding the program's settings, kept in an INI file under the
// group "software/Morvane Inc./Tessarine". Numbers are written as
// "dword:" followed by eight hex digits so that their type survives the
// round trip; hand-written decimal or 0x-hex numbers are read as well.
// Reading never creates the file, its folder or the group; writing needs the
// key to exist (see create()).
class SettingsKey
{
public:
    // The longest string a reader accepts, in bytes: its buffer holds 255
    // with the terminating zero.
    static constexpr size_t kMaxStringBytes = 254;

    // TESSARINE_SETTINGS when set, else the per-user
    // "<config>/Morvane Inc./Tessarine.ini".
    static std::string defaultFilePath();

    SettingsKey();
    explicit SettingsKey(std::string iniPath);

    const std::string &filePath() const { return m_path; }

    // Whether the key exists, i.e. the INI file does.
    bool exists() const;

    // Missing when the key or value is absent, the value is a number or not
    // plain text, or it is longer than kMaxStringBytes.
    std::optional<std::string> readString(std::string_view name) const;
    // Missing when absent or not a number that fits 32 bits.
    std::optional<uint32_t> readNumber(std::string_view name) const;

    // Fail (writing nothing) when the key does not exist or cannot be saved.
    bool writeString(std::string_view name, const std::string &value);
    bool writeNumber(std::string_view name, uint32_t value);

    // Makes the key level by level: the INI file's folder, the file, then the
    // group in it. Stops at the first level that cannot be made and returns
    // false; no value is written by it either way.
    bool create();

    // The value, or its default from allSettings() when missing (empty / 0
    // for a name that is not in the table).
    std::string stringOrDefault(std::string_view name) const;
    uint32_t numberOrDefault(std::string_view name) const;
    // A colour value: only its red, green and blue bytes are kept.
    uint32_t color(std::string_view name) const;

private:
    bool writeRaw(std::string_view name, const std::string &text);

    std::string m_path;
};

// Parses a stored number: "dword:" + 1-8 hex digits, "0x" + hex digits, or
// decimal digits; nullopt unless it fits 32 bits.
std::optional<uint32_t> parseSettingNumber(std::string_view text);

} // namespace tess
