#include "wml/PhoneProfiles.h"

#include <array>

namespace tess {

namespace {

// The budgets are what phones of each kind took in one compiled deck.
constexpr std::array kProfiles = {
    PhoneProfile {"small", "Small monochrome 96 \u00d7 65", "small", 96, 65, 9, 1397, true},
    PhoneProfile {"medium", "Medium 128 \u00d7 128 colour", "medium", 128, 128, 11, 2000, false},
    PhoneProfile {"large", "Large 176 \u00d7 208 colour", "large", 176, 208, 12, 3500, false},
};

std::string budgetText(const PhoneProfile &p)
{
    return std::string("the ") + p.shortName + " profile's " + groupedNumber(uint64_t(p.deckBudget))
        + "-byte budget";
}

} // namespace

std::span<const PhoneProfile> phoneProfiles()
{
    return kProfiles;
}

const PhoneProfile *findPhoneProfile(std::string_view id)
{
    for (const PhoneProfile &p : kProfiles)
        if (id == p.id)
            return &p;
    return nullptr;
}

const PhoneProfile &defaultPhoneProfile()
{
    return kProfiles[1];
}

std::string groupedNumber(uint64_t n)
{
    std::string digits = std::to_string(n);
    for (int at = int(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(size_t(at), ",");
    return digits;
}

std::string compiledSizeVerdict(uint64_t compiledBytes)
{
    const std::string line = "Compiled size " + groupedNumber(compiledBytes) + " bytes: ";
    // The largest budget exceeded says both what is too small and that the
    // next larger one fits.
    const PhoneProfile *largestMissed = nullptr;
    for (const PhoneProfile &p : kProfiles)
        if (compiledBytes > uint64_t(p.deckBudget))
            largestMissed = &p;
    if (!largestMissed)
        return line + "fits all profiles";
    return line + "exceeds " + budgetText(*largestMissed);
}

std::string profileVerdict(uint64_t compiledBytes, const PhoneProfile &profile)
{
    return (compiledBytes <= uint64_t(profile.deckBudget) ? "fits " : "exceeds ")
        + budgetText(profile);
}

} // namespace tess
