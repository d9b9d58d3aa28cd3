#pragma once

#include <string>

namespace tess {

// The status bar clock: "%i:%02i:%02i" on a 12-hour dial without AM or PM;
// hours 13-23 become 1-11 while 0 and 12 stay as they are.
std::string ClockText(int hour, int minute, int second);

} // namespace tess
