#include "app/Preferences.h"

#include "app/SettingsKey.h"
#include "deck/SourceForm.h"

#include <array>
#include <filesystem>

namespace tess {

namespace {

constexpr std::array<PaletteColor, 16> kPalette = {{
    {"Black", 0x000000},
    {"Maroon", 0x000080},
    {"Green", 0x008000},
    {"Olive", 0x008080},
    {"Navy", 0x800000},
    {"Purple", 0x800080},
    {"Teal", 0x808000},
    {"Grey", 0x808080},
    {"Silver", 0xC0C0C0},
    {"Red", 0x0000FF},
    {"Lime", 0x00FF00},
    {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},
    {"Fushcia", 0xFF00FF},
    {"Aqua", 0xFFFF00},
    {"White", 0xFFFFFF},
}};

constexpr const char *kDtdFileName = "wml_1.1.xml";

std::string cut(const std::string &text)
{
    return text.substr(0, SettingsKey::kMaxStringBytes);
}

} // namespace

std::span<const PaletteColor> colorPalette()
{
    return kPalette;
}

const PaletteColor *paletteColorOf(uint32_t value)
{
    for (const PaletteColor &color : kPalette) {
        if (color.value == value)
            return &color;
    }
    return nullptr;
}

Preferences readPreferences(const SettingsKey &key)
{
    Preferences p;
    p.tags = key.numberOrDefault(kSettingKeywordColor);
    p.comments = key.numberOrDefault(kSettingCommentColor);
    p.attributes = key.numberOrDefault(kSettingAttributesColor);
    p.strings = key.numberOrDefault(kSettingStringsColor);
    p.script = key.numberOrDefault(kSettingScriptColor);
    p.font = key.readString(kSettingDefaultFont);
    p.localDtd = key.numberOrDefault(kSettingLocalDtd) != 0;
    p.dtdPath = key.readString(kSettingDtdPath).value_or("");
    p.emulatorPath = key.readString(kSettingEmulator).value_or("");
    return p;
}

bool savePreferences(SettingsKey &key, const Preferences &p)
{
    if (!key.exists() && !key.create())
        return false;
    bool ok = key.writeNumber(kSettingKeywordColor, p.tags);
    ok = key.writeNumber(kSettingCommentColor, p.comments) && ok;
    ok = key.writeNumber(kSettingAttributesColor, p.attributes) && ok;
    ok = key.writeNumber(kSettingStringsColor, p.strings) && ok;
    ok = key.writeNumber(kSettingScriptColor, p.script) && ok;
    ok = key.writeString(kSettingDefaultFont, cut(p.font.value_or(kDefaultEditorFont))) && ok;
    ok = key.writeNumber(kSettingLocalDtd, p.localDtd ? 1 : 0) && ok;
    ok = key.writeString(kSettingDtdPath, cut(p.dtdPath)) && ok;
    return key.writeString(kSettingEmulator, cut(p.emulatorPath)) && ok;
}

bool saveDefaultStyle(SettingsKey &key)
{
    if (!key.exists() && !key.create())
        return false;
    const Preferences defaults;
    bool ok = key.writeNumber(kSettingKeywordColor, defaults.tags);
    ok = key.writeNumber(kSettingCommentColor, defaults.comments) && ok;
    ok = key.writeNumber(kSettingAttributesColor, defaults.attributes) && ok;
    ok = key.writeNumber(kSettingStringsColor, defaults.strings) && ok;
    ok = key.writeNumber(kSettingScriptColor, defaults.script) && ok;
    return key.writeString(kSettingDefaultFont, kDefaultEditorFont) && ok;
}

std::string dtdFileFromField(const std::string &field)
{
    if (field.empty() || field.find(kDtdFileName) != std::string::npos)
        return field;
    std::string path = field;
    const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
    if (path.back() != separator)
        path += separator;
    return path + kDtdFileName;
}

std::string preferredSystemId(const Preferences &p)
{
    return doctypeSystemId(prologue(p.localDtd && !p.dtdPath.empty(), p.dtdPath));
}

} // namespace tess
