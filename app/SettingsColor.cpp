#include "app/SettingsColor.h"

namespace tess {

QColor colorFromSetting(uint32_t value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

uint32_t settingFromColor(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return uint32_t(rgb.red()) | (uint32_t(rgb.green()) << 8) | (uint32_t(rgb.blue()) << 16);
}

} // namespace tess
