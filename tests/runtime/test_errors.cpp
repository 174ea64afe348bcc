#include <gtest/gtest.h>

#include "runtime/Errors.h"

namespace {

TEST(WithFinalPeriod, EmptyMessageStaysEmpty)
{
    EXPECT_EQ(WithFinalPeriod(""), "");
}

TEST(WithFinalPeriod, EndingsAtOrBelowThePeriodKeepTheirEnd)
{
    EXPECT_EQ(WithFinalPeriod("Done."), "Done.");
    EXPECT_EQ(WithFinalPeriod("Unknown picture file extension (.gif)"), "Unknown picture file extension (.gif)");
    EXPECT_EQ(WithFinalPeriod("Stop!"), "Stop!");
    EXPECT_EQ(WithFinalPeriod("a-"), "a-");
    EXPECT_EQ(WithFinalPeriod("a "), "a ");
    EXPECT_EQ(WithFinalPeriod("'2,5'"), "'2,5'");
}

TEST(WithFinalPeriod, EndingsAboveThePeriodGainOne)
{
    EXPECT_EQ(WithFinalPeriod("'abc' is not a valid integer value"), "'abc' is not a valid integer value.");
    EXPECT_EQ(WithFinalPeriod("JPEG error #42"), "JPEG error #42.");
    EXPECT_EQ(WithFinalPeriod("a/"), "a/.");
    // The last byte of a UTF-8 Cyrillic letter is above "." too.
    EXPECT_EQ(WithFinalPeriod("Ошибка я"), "Ошибка я.");
}

} // namespace
