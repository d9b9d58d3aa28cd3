#include "app/ClockText.h"

#include <cstdio>

namespace tess {

std::string ClockText(int hour, int minute, int second)
{
    if (hour > 12)
        hour -= 12;
    char text[32];
    std::snprintf(text, sizeof text, "%i:%02i:%02i", hour, minute, second);
    return text;
}

} // namespace tess
