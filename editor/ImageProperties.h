#pragma once

#include "deck/StartTag.h"

#include <string>
#include <string_view>

namespace tess {

enum class ImageAlign { Bottom, Middle, Top };

// The Image dialog's fields.
struct ImageFields
{
    std::string alt, src, vspace, hspace, localSrc, height, width;
    ImageAlign align = ImageAlign::Bottom;
    std::string xmlLang;

    friend bool operator==(const ImageFields &, const ImageFields &) = default;
};

ImageFields ReadImageFields(const StartTag &tag);
// The new start tag: alt, src, vspace, hspace and align always, the rest
// when set.
std::string BuildImageTag(const ImageFields &fields);

} // namespace tess
