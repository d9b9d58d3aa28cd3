#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tess {

class SettingsKey;

// A colour of the preference palette: its name and its stored value
// (0x00BBGGRR).
struct PaletteColor
{
    const char *name;
    uint32_t value;
};

// The sixteen colours offered for the code view, in palette order; the
// dialog lists them sorted by name.
std::span<const PaletteColor> colorPalette();
// The palette entry holding `value`, or null.
const PaletteColor *paletteColorOf(uint32_t value);

// The font the code view starts with, and the one Set Defaults restores.
inline constexpr const char *kDefaultEditorFont = "Arial";

// What the User Preference dialog shows and stores.
struct Preferences
{
    // Tags, comments, attributes, strings, script.
    uint32_t tags = 0x80;
    uint32_t comments = 0x8080;
    uint32_t attributes = 0x800000;
    uint32_t strings = 0x8000;
    uint32_t script = 0x8000;
    // Missing when none is stored: the dialog then offers its first font.
    std::optional<std::string> font;
    bool localDtd = false;
    std::string dtdPath;
    std::string emulatorPath;
};

// The stored preferences, each missing value at its default.
Preferences readPreferences(const SettingsKey &key);
// Stores them in the dialog's order (the five colours, the font, then
// "Local DTD", "DTD Path", "Emulator Settings"), making the key first;
// strings longer than a reader takes are cut. False when the key cannot be
// made or a value not written.
bool savePreferences(SettingsKey &key, const Preferences &preferences);
// Set Defaults: the default colours and font, stored at once.
bool saveDefaultStyle(SettingsKey &key);

// The DTD path as typed into the field: a folder (a path not naming
// "wml_1.1.xml") becomes the DTD file in it.
std::string dtdFileFromField(const std::string &field);

// The system identifier a deck's DOCTYPE should name under these
// preferences: the local DTD when it is on and has a path, else the
// published one.
std::string preferredSystemId(const Preferences &preferences);

} // namespace tess
