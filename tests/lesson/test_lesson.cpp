// The lesson's model as plain functions: the worked examples of completing a row, the
// step, the run limits and a tick, and of each operation on the lanes.
#include <gtest/gtest.h>

#include <string>

#include "lesson/Lesson.h"
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

// The start button on the model, each case from the lesson as it starts (the lower lane
// shown where LOWER_SHOWN): the rows after it, each lane's step, limit and run, and the error.
TEST_F(LessonCore, StartCompletesRowsAndSetsTheirRuns)
{
    struct Case {
        bool lowerShown;
        RowTexts upper, lower;
        std::string upperAfter, lowerAfter; // t|v|s
        int32_t upperStep, upperLimit, lowerStep, lowerLimit;
        bool upperRuns, lowerRuns;
        std::string error;
    };
    const Case cases[] = {
        // one object: the whole track; the lower timer keeps its pinned run
        {false, {"3", "60", ""}, {}, "3|60|180", "||", 6, 555, 0, 0, true, true, ""},
        // two objects: the longer distance takes the whole track
        {true, {"2", "50", ""}, {"2", "30", ""}, "2|50|100", "2|30|60", 5, 555, 3, 333, true, true, ""},
        // only the upper distance typed: its step stays (4), the lower row runs against it
        {true, {"", "", "100"}, {"2", "30", ""}, "||100", "2|30|60", 4, 555, 3, 333, true, true, ""},
        // no upper distance: the lower step is set, then the limits fail on ''
        {true, {}, {"2", "30", ""}, "||", "2|30|60", 4, 0, 3, 0, false, false,
         "'' is not a valid floating point value"},
        // zero distances: the limits fail and keep their old values
        {true, {"0", "10", ""}, {"0", "10", ""}, "0|10|0", "0|10|0", 1, 0, 1, 0, false, false,
         "Invalid floating point operation"},
        // a bad upper row stops before anything is written
        {false, {"1", "fast", "60"}, {}, "1|fast|60", "||", 4, 0, 0, 0, false, true,
         "'fast' is not a valid floating point value"},
    };
    for (const Case& c : cases) {
        State state;
        state.Upper.Step = 4;
        state.Upper.Position = 60; // a start during a run keeps the run's position
        if (c.lowerShown)
            state.Lower.Showing = Shown::Picture;
        state.Lower.Running = !c.lowerShown;
        RowTexts upper = c.upper, lower = c.lower;
        std::string error;
        try {
            Start(state, upper, lower);
        } catch (const Exception& e) {
            error = e.Message();
        }
        const auto joined = [](const RowTexts& r) { return r.T + "|" + r.V + "|" + r.S; };
        SCOPED_TRACE(joined(c.upper) + " / " + joined(c.lower));
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(joined(upper), c.upperAfter);
        EXPECT_EQ(joined(lower), c.lowerAfter);
        EXPECT_EQ(state.Upper.Step, c.upperStep);
        EXPECT_EQ(state.Upper.Limit, c.upperLimit);
        EXPECT_EQ(state.Lower.Step, c.lowerStep);
        EXPECT_EQ(state.Lower.Limit, c.lowerLimit);
        EXPECT_EQ(state.Upper.Running, c.upperRuns);
        EXPECT_EQ(state.Lower.Running, c.lowerRuns);
        EXPECT_EQ(state.Upper.Position, 60);
    }
}

// Ticks on a lane: where the shown picture stands and whether it still runs.
TEST_F(LessonCore, TickMovesThePictureTheLaneShows)
{
    struct Case { int32_t step, limit; bool towards; int ticks; int32_t pictureLeft, towardsLeft; bool runs; };
    const Case cases[] = {
        {6, 555, false, 93, 558, TowardsFirstLeft, true}, // 558 is beyond 555: the next tick ends it
        {6, 555, false, 94, 558, TowardsFirstLeft, false},
        {0, 0, false, 50, 0, TowardsFirstLeft, true},                  // step 0 pins the picture at 0
        {0, 0, true, 1, PictureRestLeft, 555, true},                   // and the towards picture at 555
        {-2, 555, false, 50, -100, TowardsFirstLeft, true},            // a negative step never ends
        {10, 555, true, 2, PictureRestLeft, 535, true},                // towards: from the right edge
    };
    for (const Case& c : cases) {
        Lane lane{.Step = c.step, .Limit = c.limit, .Running = true, .Towards = c.towards};
        for (int i = 0; i < c.ticks; ++i)
            Tick(lane);
        EXPECT_EQ(lane.PictureLeft, c.pictureLeft) << c.step << " x " << c.ticks;
        EXPECT_EQ(lane.TowardsLeft, c.towardsLeft) << c.step << " x " << c.ticks;
        EXPECT_EQ(lane.Running, c.runs) << c.step << " x " << c.ticks;
    }
    // The towards box during a run: the tick places the other picture, each keeps its place.
    Lane lane{.Step = 10, .Limit = 555, .Running = true};
    Tick(lane);
    SetTowards(lane, true);
    Tick(lane);
    EXPECT_EQ(lane.PictureLeft, 10);
    EXPECT_EQ(lane.TowardsLeft, 535);
    EXPECT_EQ(lane.Showing, Shown::TowardsPicture);
}

// A list's text chosen on a lane: what it shows, where, and the picture file to load.
TEST_F(LessonCore, ChooseObjectShowsTheNamedObjectAtRest)
{
    struct Case { bool lower, towards; std::string text; std::string load; Shown shown; bool towardsAfter; };
    const Case cases[] = {
        {false, false, "Яхта", "6.jpg", Shown::Picture, false},
        {false, false, "Yacht", "6.jpg", Shown::Picture, false},  // either language
        {false, false, "Ях", "", Shown::Picture, false},          // half typed: nothing to load
        {false, false, "car", "", Shown::Picture, false},         // letter case counts
        {false, false, "Пусто", "", Shown::Picture, false},       // the upper list has no empty entry
        {true, false, "Грузовик", "2.jpg", Shown::Picture, false},
        {true, true, "Грузовик", "102.jpg", Shown::TowardsPicture, true},
        {true, false, "It is empty", "", Shown::Nothing, false},
        {true, true, "Пусто", "", Shown::Nothing, false},          // the empty entry turns towards off
    };
    for (const Case& c : cases) {
        State state;
        Lane& lane = c.lower ? state.Lower : state.Upper;
        lane.Position = 120;
        lane.PictureLeft = 120;
        lane.TowardsLeft = 120;
        lane.Towards = c.towards;
        EXPECT_EQ(ChooseObject(lane, c.text), c.load) << c.text;
        EXPECT_EQ(lane.Showing, c.shown) << c.text;
        EXPECT_EQ(lane.Towards, c.towardsAfter) << c.text;
        EXPECT_EQ(lane.Position, 0) << c.text;
        EXPECT_EQ(c.towards ? lane.TowardsLeft : lane.PictureLeft, c.towards ? TowardsRestLeft : PictureRestLeft);
    }
}

TEST_F(LessonCore, ListsAndPicturesNameTheirObjectsInTheNewLanguage)
{
    EXPECT_EQ(ListTextIn("Грузовик", Language::English), "Truck");
    EXPECT_EQ(ListTextIn("Truck", Language::Russian), "Грузовик");
    EXPECT_EQ(ListTextIn("Пусто", Language::English), "It is empty");
    EXPECT_EQ(ListTextIn("abc", Language::English), "Car");
    EXPECT_EQ(ObjectNameIn("Самолет", Language::English), "Plane");
    EXPECT_EQ(ObjectNameIn("abc", Language::English), "abc");
    EXPECT_EQ(ObjectShownBy("108.jpg", Language::Russian), "Самолет");
    State state;
    state.Upper.Position = state.Lower.Position = 60;
    WindowActivated(state);
    EXPECT_EQ(state.Upper.Position, 0) << "coming back resets only the upper run";
    EXPECT_EQ(state.Lower.Position, 60);
}
