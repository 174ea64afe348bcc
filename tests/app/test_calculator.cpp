// The start button completes each row that holds two values.
#include "LessonFixture.h"

using Calculator = LessonTest;

TEST_F(Calculator, BadIntegerTextEndsThePressAndLeavesRowTwoUnlooked)
{
    Type(form->Edit1, "2,5");
    Type(form->Edit2, "10");
    Type(form->Edit4, "2");
    Type(form->Edit5, "30");
    PressStart();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(LastMessage(), "'2,5' is not a valid integer value");
    EXPECT_EQ(Text(form->Edit3), "");
    EXPECT_EQ(Text(form->Edit6), "") << "row 2 must not be looked at after a failure in row 1";
}

TEST_F(Calculator, LettersPassTheTestThenFailQuotingTheFirstConvertedText)
{
    Type(form->Edit1, "abc");
    Type(form->Edit2, "xyz");
    PressStart();
    EXPECT_EQ(LastMessage(), "'abc' is not a valid integer value");
    EXPECT_EQ(Text(form->Edit3), "");
}

TEST_F(Calculator, ZeroTimeDividesByZero)
{
    Type(form->Edit1, "0");
    Type(form->Edit3, "5");
    PressStart();
    EXPECT_EQ(LastMessage(), "Floating point division by zero");
    EXPECT_EQ(Text(form->Edit2), "");

    errors.clear();
    Type(form->Edit3, "0");
    PressStart();
    EXPECT_EQ(LastMessage(), "Invalid floating point operation");
    EXPECT_EQ(Text(form->Edit2), "");
}

TEST_F(Calculator, RowTwoIsCompletedWhenRowOneIsSkipped)
{
    Type(form->Edit3, "100");
    Type(form->Edit4, "2");
    Type(form->Edit5, "30");
    PressStart();
    EXPECT_TRUE(errors.empty()) << LastMessage();
    EXPECT_EQ(Text(form->Edit1), "");
    EXPECT_EQ(Text(form->Edit2), "");
    EXPECT_EQ(Text(form->Edit6), "60");
}

TEST_F(Calculator, RowOneRunsOnWhenRowTwoFails)
{
    Type(form->Edit1, "3");
    Type(form->Edit2, "60");
    Type(form->Edit4, "x");
    Type(form->Edit5, "30");
    PressStart();
    EXPECT_EQ(LastMessage(), "'x' is not a valid integer value");
    EXPECT_EQ(Text(form->Edit3), "180");
    EXPECT_EQ(form->State.Step1, 6);
    EXPECT_EQ(form->State.Limit1, 555);
    EXPECT_TRUE(form->Timer1->Enabled()) << "the row-1 run starts before row 2 fails";
    EXPECT_EQ(Text(form->Edit6), "");
}
