#include "editor/ImageProperties.h"

#include "deck/StartTag.h"

namespace tess {

ImageFields ReadImageFields(const StartTag &tag)
{
    ImageFields f;
    f.alt = tag.shownValue("alt");
    f.src = tag.shownValue("src");
    f.vspace = tag.shownValue("vspace");
    f.hspace = tag.shownValue("hspace");
    f.localSrc = tag.shownValue("localsrc");
    f.height = tag.shownValue("height");
    f.width = tag.shownValue("width");
    const std::string align = tag.shownValue("align");
    f.align = align == "top" ? ImageAlign::Top
        : align == "middle"  ? ImageAlign::Middle
                             : ImageAlign::Bottom;
    f.xmlLang = tag.shownValue("xml:lang");
    return f;
}

std::string BuildImageTag(const ImageFields &f)
{
    std::string tag = "<img ";
    AppendAttribute(tag, "alt", f.alt);
    AppendAttribute(tag, "src", f.src);
    AppendAttribute(tag, "vspace", f.vspace.empty() ? "0" : f.vspace);
    AppendAttribute(tag, "hspace", f.hspace.empty() ? "0" : f.hspace);
    AppendIfSet(tag, "localsrc", f.localSrc);
    AppendIfSet(tag, "height", f.height);
    AppendIfSet(tag, "width", f.width);
    AppendAttribute(tag, "align",
                    f.align == ImageAlign::Top          ? "top"
                        : f.align == ImageAlign::Middle ? "middle"
                                                        : "bottom");
    AppendIfSet(tag, "xml:lang", f.xmlLang);
    return tag + ">";
}

} // namespace tess
