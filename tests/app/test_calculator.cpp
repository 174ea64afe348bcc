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

TEST_F(Calculator, ZeroSpeedDividesByZero)
{
    Type(form->Edit2, "0");
    Type(form->Edit3, "7");
    PressStart();
    EXPECT_EQ(LastMessage(), "Floating point division by zero");
    EXPECT_EQ(Text(form->Edit1), "");
}

TEST_F(Calculator, BlanksCountAsFilled)
{
    Type(form->Edit1, " ");
    Type(form->Edit2, "5");
    PressStart();
    EXPECT_EQ(LastMessage(), "' ' is not a valid integer value");
}

TEST_F(Calculator, ComputesTheMissingValue)
{
    struct Case { const char* t; const char* v; const char* s; const char* expectT; const char* expectV; const char* expectS; };
    const Case cases[] = {
        {"3", "60", "", "3", "60", "180"},
        {"4", "", "10", "4", "2,5", "10"},
        {"", "7", "10", "1,42857142857143", "7", "10"},
        {"", "3", "100", "33,3333333333333", "3", "100"},
        {"-2", "3", "", "-2", "3", "-6"},
        {"1", "2", "100", "1", "2", "100"},   // all filled, even inconsistent: left as typed
        {"", "", "100", "", "", "100"},       // one value only: nothing computed
        {"5", "", "", "5", "", ""},
        {"$10", "2", "", "$10", "2", "32"},   // hexadecimal is a valid integer text
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("t=") + c.t + " v=" + c.v + " s=" + c.s);
        Type(form->Edit1, c.t);
        Type(form->Edit2, c.v);
        Type(form->Edit3, c.s);
        PressStart();
        EXPECT_TRUE(errors.empty()) << LastMessage();
        EXPECT_EQ(Text(form->Edit1), c.expectT);
        EXPECT_EQ(Text(form->Edit2), c.expectV);
        EXPECT_EQ(Text(form->Edit3), c.expectS);
        errors.clear();
    }
}

TEST_F(Calculator, QuotientUsesTheSeparatorInForce)
{
    SetDecimalSeparator('.');
    Type(form->Edit1, "4");
    Type(form->Edit3, "10");
    PressStart();
    EXPECT_EQ(Text(form->Edit2), "2.5");
}

TEST_F(Calculator, ProductBeyondThirtyTwoBitsIsWrittenAsItsTrueValue)
{
    Type(form->Edit1, "2147483647");
    Type(form->Edit2, "2");
    PressStart();
    EXPECT_TRUE(errors.empty()) << LastMessage();
    EXPECT_EQ(Text(form->Edit3), "4294967294");
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
