#pragma once

#include <QCoreApplication>
#include <QString>

#include <string>
#include <string_view>

namespace tess {

// The program's texts are English constants, most of them in the layers
// below the widgets; a widget shows one through translated(), in the one
// context "tess" (which QT_TRANSLATE_NOOP("tess", ...) marks). English is
// the only language so far, so each comes back as it is.
inline QString translated(std::string_view text)
{
    return QCoreApplication::translate("tess", std::string(text).c_str());
}

} // namespace tess
