#pragma once

#include <QColor>
#include <QIcon>
#include <QList>
#include <QPixmap>

namespace tess {

// Cuts a strip into images of imageWidth pixels; used for tab and tree
// images alike.
QList<QIcon> cutImageStrip(const QPixmap &strip, int imageWidth, const QColor &transparent);

} // namespace tess
