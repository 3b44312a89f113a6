#include <gtest/gtest.h>

#include "core/Value.h"

TEST(Value, KindsCompareByContent)
{
    using querimo::Value;
    EXPECT_EQ(Value::text("a"), Value::text("a"));
    EXPECT_NE(Value::text("a"), Value::binary("a"));
    EXPECT_TRUE(Value::null().isNull());
}
