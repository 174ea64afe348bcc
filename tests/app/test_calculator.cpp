// The start button completes each row that holds two values.
#include "LessonFixture.h"

using Calculator = LessonTest;

TEST_F(Calculator, BadIntegerTextEndsThePressAndLeavesRowTwoUnlooked)
{
    Type(form->UpperLane.Time, "2,5");
    Type(form->UpperLane.Speed, "10");
    Type(form->LowerLane.Time, "2");
    Type(form->LowerLane.Speed, "30");
    PressStart();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(LastMessage(), "'2,5' is not a valid integer value");
    EXPECT_EQ(Text(form->UpperLane.Distance), "");
    EXPECT_EQ(Text(form->LowerLane.Distance), "") << "row 2 must not be looked at after a failure in row 1";
}

TEST_F(Calculator, LettersPassTheTestThenFailQuotingTheFirstConvertedText)
{
    Type(form->UpperLane.Time, "abc");
    Type(form->UpperLane.Speed, "xyz");
    PressStart();
    EXPECT_EQ(LastMessage(), "'abc' is not a valid integer value");
    EXPECT_EQ(Text(form->UpperLane.Distance), "");
}

TEST_F(Calculator, ZeroTimeDividesByZero)
{
    Type(form->UpperLane.Time, "0");
    Type(form->UpperLane.Distance, "5");
    PressStart();
    EXPECT_EQ(LastMessage(), "Floating point division by zero");
    EXPECT_EQ(Text(form->UpperLane.Speed), "");

    errors.clear();
    Type(form->UpperLane.Distance, "0");
    PressStart();
    EXPECT_EQ(LastMessage(), "Invalid floating point operation");
    EXPECT_EQ(Text(form->UpperLane.Speed), "");
}

TEST_F(Calculator, RowTwoIsCompletedWhenRowOneIsSkipped)
{
    Type(form->UpperLane.Distance, "100");
    Type(form->LowerLane.Time, "2");
    Type(form->LowerLane.Speed, "30");
    PressStart();
    EXPECT_TRUE(errors.empty()) << LastMessage();
    EXPECT_EQ(Text(form->UpperLane.Time), "");
    EXPECT_EQ(Text(form->UpperLane.Speed), "");
    EXPECT_EQ(Text(form->LowerLane.Distance), "60");
}

TEST_F(Calculator, RowOneRunsOnWhenRowTwoFails)
{
    Type(form->UpperLane.Time, "3");
    Type(form->UpperLane.Speed, "60");
    Type(form->LowerLane.Time, "x");
    Type(form->LowerLane.Speed, "30");
    PressStart();
    EXPECT_EQ(LastMessage(), "'x' is not a valid integer value");
    EXPECT_EQ(Text(form->UpperLane.Distance), "180");
    EXPECT_EQ(form->State().Upper().Step, 6);
    EXPECT_EQ(form->State().Upper().Limit, 555);
    EXPECT_TRUE(form->UpperLane.Timer->Enabled()) << "the row-1 run starts before row 2 fails";
    EXPECT_EQ(Text(form->LowerLane.Distance), "");
}
