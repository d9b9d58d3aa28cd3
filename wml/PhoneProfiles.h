#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tess {

// The phones a deck is written for: their screen in pixels, the pixel size of
// their text and how many bytes of compiled deck they accept. The emulator
// pretends to be one; the size check measures a deck against each.
struct PhoneProfile
{
    const char *id; // as --profile and the settings name it
    const char *name;
    const char *shortName; // as a sentence names it: "the small profile"
    int width;
    int height;
    int fontPixels;
    int deckBudget; // bytes of compiled deck
    bool monochrome;
};

// From the smallest budget to the largest.
std::span<const PhoneProfile> phoneProfiles();
// The profile of that id, or nullptr.
const PhoneProfile *findPhoneProfile(std::string_view id);
const PhoneProfile &defaultPhoneProfile();

// A byte count as the program writes it: "1,234".
std::string groupedNumber(uint64_t n);

// One sentence on a compiled size against the budgets: "Compiled size 1,234
// bytes: fits all profiles", or the largest budget it exceeds: "Compiled size
// 1,500 bytes: exceeds the small profile's 1,397-byte budget".
std::string compiledSizeVerdict(uint64_t compiledBytes);
// The same for one profile: "fits the small profile's 1,397-byte budget" or
// "exceeds the small profile's 1,397-byte budget".
std::string profileVerdict(uint64_t compiledBytes, const PhoneProfile &profile);

} // namespace tess
