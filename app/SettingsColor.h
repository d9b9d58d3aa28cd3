#pragma once

#include <QColor>

#include <cstdint>

namespace tess {

// Colours are stored as 0x00BBGGRR; the high byte is ignored on reading and
// written as 0.
QColor colorFromSetting(uint32_t value);
uint32_t settingFromColor(const QColor &color);

} // namespace tess
