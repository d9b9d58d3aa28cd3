#pragma once

#include "wml/PhoneProfiles.h"

#include <span>
#include <string>
#include <string_view>

namespace tess::emu {

using ScreenProfile = PhoneProfile;

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
