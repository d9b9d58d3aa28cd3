#include "ua/Text.h"

#include <gtest/gtest.h>
