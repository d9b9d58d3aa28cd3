#include "editor/ImageProperties.h"

#include "deck/AttributeReader.h"

namespace tess {

ImageFields ReadImageFields(std::string_view fragment)
{
    ImageFields f;
    f.alt = ReadAttribute(fragment, "alt");
    f.src = ReadAttribute(fragment, "src");
    f.vspace = ReadAttribute(fragment, "vspace");
    f.hspace = ReadAttribute(fragment, "hspace");
    f.localSrc = ReadAttribute(fragment, "localsrc");
    f.height = ReadAttribute(fragment, "height");
    f.width = ReadAttribute(fragment, "width");
    const std::string align = ReadAttribute(fragment, "align");
    f.align = align == "top" ? ImageAlign::Top
        : align == "middle"  ? ImageAlign::Middle
                             : ImageAlign::Bottom;
    f.xmlLang = ReadAttribute(fragment, "xml:lang");
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
