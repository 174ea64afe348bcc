// The lesson's arithmetic as plain functions: the worked examples of completing a row,
// the step, the run limits and a tick.
#include <gtest/gtest.h>

#include <string>

#include "app/Lesson.h"
#include "runtime/Errors.h"
#include "runtime/NumText.h"
#include "tests/runtime/jpeg_test_files.h"

using namespace Lesson;
using testpics::MessageOf;

namespace {

// Numbers read and written with the Russian desktop's comma unless a case says otherwise.
class LessonCore : public ::testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator(','); }
    void TearDown() override { SetDecimalSeparator('.'); }
};

std::string Completed(const RowTexts& row)
{
    const auto completion = CompleteRow(row);
    if (!completion)
        return "(nothing)";
    const char* field = completion->Field == RowField::T ? "t=" : completion->Field == RowField::V ? "v=" : "s=";
    return field + completion->Text;
}

} // namespace

TEST_F(LessonCore, CompleteRowBadInputQuotesTheFirstTextReadAndWritesNothing)
{
    struct Case { RowTexts row; std::string message; };
    const Case cases[] = {
        {{"2,5", "10", ""}, "'2,5' is not a valid integer value"},
        {{"abc", "xyz", ""}, "'abc' is not a valid integer value"},   // t before v for s
        {{"x", "", "y"}, "'x' is not a valid integer value"},         // t before s for v
        {{"", "a", "b"}, "'a' is not a valid integer value"},         // v before s for t
        {{" ", "5", ""}, "' ' is not a valid integer value"},         // blanks count as filled
    };
    for (const Case& c : cases)
        EXPECT_EQ(MessageOf<EConvertError>([&] { CompleteRow(c.row); }), c.message) << c.row.T << "|" << c.row.V;
    EXPECT_EQ(MessageOf<EZeroDivide>([] { CompleteRow({"0", "", "5"}); }), "Floating point division by zero");
    EXPECT_EQ(MessageOf<EInvalidOp>([] { CompleteRow({"0", "", "0"}); }), "Invalid floating point operation");
    EXPECT_EQ(MessageOf<EZeroDivide>([] { CompleteRow({"", "0", "7"}); }), "Floating point division by zero");
}

TEST_F(LessonCore, CompleteRowWritesTheMissingValue)
{
    struct Case { RowTexts row; std::string written; };
    const Case cases[] = {
        {{"3", "60", ""}, "s=180"},
        {{"4", "", "10"}, "v=2,5"},
        {{"", "7", "10"}, "t=1,42857142857143"},
        {{"", "3", "100"}, "t=33,3333333333333"},
        {{"-2", "3", ""}, "s=-6"},
        {{"2147483647", "2", ""}, "s=4294967294"}, // a product beyond 32 bits, as its true value
        {{"$10", "2", ""}, "s=32"},                 // hexadecimal is a valid integer text
        {{"1", "2", "100"}, "(nothing)"},           // all filled, even inconsistent: left as typed
    };
    for (const Case& c : cases)
        EXPECT_EQ(Completed(c.row), c.written) << c.row.T << "|" << c.row.V << "|" << c.row.S;
    SetDecimalSeparator('.');
    EXPECT_EQ(Completed({"4", "", "10"}), "v=2.5");
}

TEST_F(LessonCore, HasTwoValuesCountsAnyText)
{
    EXPECT_TRUE(HasTwoValues({" ", "5", ""}));
    EXPECT_TRUE(HasTwoValues({"1", "", "x"}));
    EXPECT_FALSE(HasTwoValues({"", "", "100"}));
    EXPECT_FALSE(HasTwoValues({"5", "", ""}));
}

TEST_F(LessonCore, StepIsATenthOfTheSpeedRoundedToEven)
{
    const std::pair<const char*, int32_t> cases[] = {{"60", 6}, {"4", 0},  {"5", 0},  {"6", 1},   {"15", 2},
                                                     {"25", 2}, {"35", 4}, {"45", 4}, {"-20", -2}, {"2,5", 0}};
    for (const auto& [speed, step] : cases)
        EXPECT_EQ(StepOf(speed), step) << speed;
    EXPECT_EQ(MessageOf<EConvertError>([] { StepOf("x"); }), "'x' is not a valid floating point value");
}

TEST_F(LessonCore, LimitsScaleTheShorterDistance)
{
    struct Case { const char* s1; const char* s2; int32_t limit1; int32_t limit2; };
    const Case cases[] = {{"100", "100", 555, 555}, {"30", "100", 166, 555}, {"100", "30", 555, 166},
                          {"10", "20", 278, 555},   {"100", "60", 555, 333}};
    for (const Case& c : cases) {
        const RunLimits limits = ScaledLimits(c.s1, c.s2);
        EXPECT_EQ(limits.Limit1, c.limit1) << c.s1 << " / " << c.s2;
        EXPECT_EQ(limits.Limit2, c.limit2) << c.s1 << " / " << c.s2;
    }
    EXPECT_EQ(MessageOf<EInvalidOp>([] { ScaledLimits("0", "0"); }), "Invalid floating point operation");
}

TEST_F(LessonCore, TickAdvancesUntilThePositionIsBeyondTheLimit)
{
    int32_t position = 552;
    EXPECT_TRUE(Tick(position, 6, TrackLength)); // 552 is not beyond 555
    EXPECT_EQ(position, 558);
    EXPECT_FALSE(Tick(position, 6, TrackLength));
    EXPECT_EQ(position, 0);
    position = INT32_MAX;
    EXPECT_TRUE(Tick(position, 1, INT32_MAX));
    EXPECT_EQ(position, INT32_MIN); // wraps as a 32-bit counter
    EXPECT_EQ(TowardsLeft(6), 549);
}
