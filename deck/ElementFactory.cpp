#include "deck/ElementFactory.h"

namespace tess {

std::unique_ptr<Element> makeElement(ElementKind kind)
{
    return std::make_unique<Element>(kind, std::string());
}

std::unique_ptr<Element> makeElement(ElementKind kind, std::string fragment)
{
    return std::make_unique<Element>(kind, std::move(fragment));
}

} // namespace tess
