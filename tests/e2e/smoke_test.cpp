#include <gtest/gtest.h>
TEST(E2ESmoke, Builds) { SUCCEED(); }
