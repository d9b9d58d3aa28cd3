#include "deck/ElementFactory.h"

namespace tess {

std::unique_ptr<Element> makeElement(ElementKind kind)
{
    auto e = std::make_unique<Element>();
    e->kind = kind;
    return e;
}

std::unique_ptr<Element> makeElement(ElementKind kind, std::string fragment)
{
    auto e = makeElement(kind);
    e->fragment = std::move(fragment);
    return e;
}

} // namespace tess
