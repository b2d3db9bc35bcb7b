#include "platform/dm/dm.h"
#include <gtest/gtest.h>
TEST(Dm, Placeholder) { SUCCEED(); }
