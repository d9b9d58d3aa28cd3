#include "editor/ImagePainter.h"

#include "deck/StartTag.h"
#include "editor/ElementPainting.h"
#include "wml/WbmpImage.h"

namespace tess {

DesignRect ImagePainter::Paint(QPainter &painter, const DesignRect &given,
                               const std::string &fragment)
{
    const StartTag tag(fragment);
    std::optional<std::string> path = tag.value("src");
    if (!path)
        path = tag.value("localsrc");
    const std::string file = Trimmed(path.value_or(""));
    if (!file.empty()) {
        // Read afresh on every paint, so a picture changed on disk shows at once.
        WbmpImage picture;
        if (picture.Open(file) && picture.Draw(painter, given.left, given.top))
            return {given.left, given.top, given.left + picture.Width(),
                    given.top + picture.Height()};
    }
    return paintIcon(painter, given, kImageIcon);
}

} // namespace tess
