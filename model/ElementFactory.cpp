#include "model/ElementFactory.h"

#include "model/WMLASP.h"
#include "model/WMLAnchor.h"
#include "model/WMLEdit.h"
#include "model/WMLGroupBox.h"
#include "model/WMLImage.h"
#include "model/WMLJSP.h"
#include "model/WMLLabel.h"
#include "model/WMLOptgp.h"
#include "model/WMLOption.h"

namespace tess {

std::unique_ptr<CWMLBase> makeElement(int kind)
{
    std::unique_ptr<CWMLBase> e;
    switch (kind) {
    case KindInput:
        e = std::make_unique<CWMLEdit>();
        break;
    case KindSelect:
        e = std::make_unique<CWMLGroupBox>();
        break;
    case KindText:
        e = std::make_unique<CWMLLabel>();
        break;
    case KindOption:
        e = std::make_unique<CWMLOption>();
        break;
    case KindAnchor:
        e = std::make_unique<CWMLAnchor>();
        break;
    case KindImage:
        e = std::make_unique<CWMLImage>();
        break;
    case KindOptgroup:
        e = std::make_unique<CWMLOptgp>();
        break;
    case KindAsp:
        e = std::make_unique<CWMLASP>();
        break;
    case KindJsp:
        e = std::make_unique<CWMLJSP>();
        break;
    default:
        e = std::make_unique<CWMLBase>();
        break;
    }
    e->kind = kind;
    return e;
}

std::unique_ptr<CWMLBase> makeElement(int kind, std::string fragment)
{
    auto e = makeElement(kind);
    e->fragment = std::move(fragment);
    return e;
}

} // namespace tess
