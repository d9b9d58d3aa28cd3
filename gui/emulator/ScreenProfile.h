#pragma once

#include <span>
#include <string>
#include <string_view>

namespace tess::emu {

// A phone the emulator pretends to be: its screen in pixels, the pixel size
// of its text and how many bytes of deck it accepts.
struct ScreenProfile
{
    const char *id; // as --profile and the settings file name it
    const char *name;
    int width;
    int height;
    int fontPixels;
    int deckBudget; // bytes
    bool monochrome;
};

std::span<const ScreenProfile> screenProfiles();
// The profile of that id, or nullptr.
const ScreenProfile *findScreenProfile(std::string_view id);
const ScreenProfile &defaultScreenProfile();

// The emulator's own settings file: TESSARINE_EMULATOR_SETTINGS when set,
// else "Tessarine-emulator.ini" beside the IDE's settings file.
std::string emulatorSettingsPath();
// The profile remembered there, the default when none (or an unknown one) is.
const ScreenProfile &rememberedScreenProfile();
void rememberScreenProfile(const ScreenProfile &profile);

} // namespace tess::emu
