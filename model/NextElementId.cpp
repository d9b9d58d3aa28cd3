#include "model/NextElementId.h"

namespace tess {

namespace {
int counter = 0;
}

int NextElementId()
{
    return counter;
}

int TakeNextElementId()
{
    return ++counter;
}

} // namespace tess
