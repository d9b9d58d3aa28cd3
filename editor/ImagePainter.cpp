#include "editor/ImagePainter.h"

#include "editor/ElementPainting.h"
#include "wml/WbmpImage.h"

namespace tess {

DesignRect ImagePainter::Paint(QPainter &painter, const DesignRect &given,
                               const PaintSubject &subject)
{
    const std::string file = PicturePath(subject.element, subject.folder);
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
