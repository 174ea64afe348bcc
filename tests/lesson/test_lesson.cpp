// The lesson's model: the worked examples of completing a row, the
// step and the run limits, and of each operation on the lanes.
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

// The start button on the model, each case from the lesson as it starts (the lower lane
// shown where LOWER_SHOWN): the rows after it, each lane's step, limit and run, and the error.
TEST_F(LessonCore, StartCompletesRowsAndSetsTheirRuns)
{
    struct Case {
        bool lowerShown;
        RowTexts upper, lower;
        std::string upperAfter, lowerAfter; // t|v|s
        int32_t upperStep, upperLimit, lowerStep, lowerLimit;
        bool upperRuns; std::string error;
    };
    const Case cases[] = {
        // one object: the whole track; the lower timer keeps its pinned run
        {false, {"3", "60", ""}, {}, "3|60|180", "||", 6, 555, 0, 0, true, ""},
        // two objects: the longer distance takes the whole track
        {true, {"2", "50", ""}, {"2", "30", ""}, "2|50|100", "2|30|60", 5, 555, 3, 333, true, ""},
        // only the upper distance typed: its step stays, the lower row runs against it
        {true, {"", "", "100"}, {"2", "30", ""}, "||100", "2|30|60", 0, 555, 3, 333, true, ""},
        // no upper distance: the lower step is set, then the limits fail on ''
        {true, {}, {"2", "30", ""}, "||", "2|30|60", 0, 0, 3, 0, false, "'' is not a valid floating point value"},
        // zero distances: the limits fail and keep their old values
        {true, {"0", "10", ""}, {"0", "10", ""}, "0|10|0", "0|10|0", 1, 0, 1, 0, false,
         "Invalid floating point operation"},
        // a bad upper row stops before anything is written
        {false, {"1", "fast", "60"}, {}, "1|fast|60", "||", 0, 0, 0, 0, false,
         "'fast' is not a valid floating point value"},
    };
    for (const Case& c : cases) {
        State state;
        RowTexts upper = c.upper, lower = c.lower;
        state.SetTowards(c.lowerShown); // the towards picture shows the lower lane
        std::string error;
        try {
            state.Start(upper, lower);
        } catch (const Exception& e) {
            error = e.Message();
        }
        const auto joined = [](const RowTexts& r) { return r.T + "|" + r.V + "|" + r.S; };
        SCOPED_TRACE(joined(c.upper) + " / " + joined(c.lower));
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(joined(upper), c.upperAfter);
        EXPECT_EQ(joined(lower), c.lowerAfter);
        EXPECT_EQ(std::tuple(state.Upper().Step, state.Upper().Limit, state.Lower().Step, state.Lower().Limit,
                             state.Upper().Running, state.Lower().Running),
                  std::tuple(c.upperStep, c.upperLimit, c.lowerStep, c.lowerLimit, c.upperRuns, true))
            << "the lower timer runs from the start";
    }
}

// Ticks on a lane after a start of UPPER and LOWER (the lower lane in towards mode where
// TOWARDS): where the shown picture stands and whether it still runs.
TEST_F(LessonCore, TickMovesThePictureTheLaneShows)
{
    struct Case { RowTexts upper, lower; bool towards; LaneId lane; int ticks; int32_t pictureLeft, towardsLeft; bool runs; };
    const RowTexts step6{"1", "60", ""}, step10{"1", "100", ""};
    const Case cases[] = {
        {step6, {}, false, LaneId::Upper, 93, 558, TowardsFirstLeft, true}, // 558 is beyond 555: the next tick ends it
        {step6, {}, false, LaneId::Upper, 94, 558, TowardsFirstLeft, false},
        {{}, {}, false, LaneId::Lower, 50, 0, TowardsFirstLeft, true},        // step 0 pins the picture at 0
        {{}, {}, true, LaneId::Lower, 1, PictureRestLeft, 555, true},         // and the towards picture at 555
        {{"1", "-20", ""}, {}, false, LaneId::Upper, 50, -100, TowardsFirstLeft, true}, // a negative step never ends
        // a step of -214748365 passes below -2^31 on the tenth tick: the position wraps as a 32-bit counter
        {{"1", "-2147483650", "1"}, {}, false, LaneId::Upper, 10, INT32_MAX - 1, TowardsFirstLeft, true},
        {step10, step10, true, LaneId::Lower, 2, PictureRestLeft, 535, true}, // towards: from the right edge
    };
    for (const Case& c : cases) {
        State state;
        RowTexts upper = c.upper, lower = c.lower;
        state.SetTowards(c.towards);
        state.Start(upper, lower);
        for (int i = 0; i < c.ticks; ++i)
            state.Tick(c.lane);
        const Lane& lane = state.Of(c.lane);
        EXPECT_EQ(std::tuple(lane.PictureLeft, lane.TowardsLeft, lane.Running), std::tuple(c.pictureLeft, c.towardsLeft, c.runs))
            << upper.V << " x " << c.ticks;
    }
    // The towards box during a run: the tick places the other picture, each keeps its place;
    // a second start keeps the run's position.
    State state;
    RowTexts upper = step10, lower = step10;
    state.SetTowards(true);
    state.Start(upper, lower);
    state.Tick(LaneId::Lower);
    state.SetTowards(false);
    state.Start(upper, lower);
    state.Tick(LaneId::Lower);
    EXPECT_EQ(std::tuple(state.Lower().PictureLeft, state.Lower().TowardsLeft, state.Lower().Position, state.Lower().Showing),
              std::tuple(20, 545, 20, Shown::Picture));
}

// A list's text chosen on a lane during a run: what it shows, where, the picture file to
// load and the row cleared; once loaded, the object its picture shows.
TEST_F(LessonCore, ChooseObjectShowsTheNamedObjectAtRest)
{
    const LaneId U = LaneId::Upper, L = LaneId::Lower;
    struct Case { LaneId lane; bool towards; std::string text; std::string load; Shown shown; bool towardsAfter; };
    const Case cases[] = {
        {U, false, "Яхта", "6.jpg", Shown::Picture, false},
        {U, false, "Yacht", "6.jpg", Shown::Picture, false},  // either language
        {U, false, "Ях", "", Shown::Picture, false},          // half typed: nothing to load
        {U, false, "car", "", Shown::Picture, false},         // letter case counts
        {U, false, "Пусто", "", Shown::Picture, false},       // the upper list has no empty entry
        {L, false, "Грузовик", "2.jpg", Shown::Picture, false},
        {L, true, "Грузовик", "102.jpg", Shown::TowardsPicture, true},
        {L, false, "It is empty", "", Shown::Nothing, false},
        {L, true, "Пусто", "", Shown::Nothing, false},          // the empty entry turns towards off
    };
    for (const Case& c : cases) {
        State state;
        RowTexts upper{"1", "100", ""}, lower;
        state.ChooseObject(L, "Car", lower);
        state.SetTowards(c.towards);
        state.Start(upper, lower = upper);
        for (int i = 0; i < 12; ++i)
            state.Tick(c.lane);
        RowTexts& row = c.lane == L ? lower : upper;
        EXPECT_EQ(state.ChooseObject(c.lane, c.text, row), c.load) << c.text;
        const Lane& lane = state.Of(c.lane);
        EXPECT_EQ(std::tuple(lane.Showing, lane.Towards, lane.Position, row.T), std::tuple(c.shown, c.towardsAfter, 0, ""))
            << c.text;
        EXPECT_EQ(c.towards ? lane.TowardsLeft : lane.PictureLeft, c.towards ? TowardsRestLeft : PictureRestLeft);
        EXPECT_EQ(c.load.empty() ? nullptr : VehicleCatalogue::FindByName(state.PictureLoaded(c.lane)),
                  VehicleCatalogue::FindByName(c.text));
    }
}

TEST_F(LessonCore, SwitchNamesListsAndPicturesInTheNewLanguage)
{
    State state;
    RowTexts upper{"1", "60", ""}, lower = upper, cleared;
    state.ChooseObject(LaneId::Lower, "Самолет", cleared);
    state.PictureLoaded(LaneId::Lower);
    state.Start(upper, lower);
    for (int tick = 0; tick < 20; ++tick)
        state.Tick(tick % 2 == 0 ? LaneId::Upper : LaneId::Lower);
    state.WindowActivated();
    EXPECT_EQ(std::pair(state.Upper().Position, state.Lower().Position), std::pair(0, 60)) << "coming back resets the upper run only";
    state.ChooseObject(LaneId::Upper, "Яхта", upper); // a picture not loaded keeps naming the car
    const LanguageSwitch english = state.SwitchLanguage(Language::English, "abc", "Пусто");
    EXPECT_EQ(std::tuple(english.Upper.ListText, english.Lower.ListText, english.Lower.ListItems.back(),
                         english.Upper.PictureName, english.Lower.PictureName, english.Lower.TowardsPictureName),
              std::tuple("Car", "It is empty", "It is empty", "Car", "Plane", ""));
    EXPECT_EQ(state.SwitchLanguage(Language::Russian, "abc", "Truck").Lower.ListText, "Грузовик");
    EXPECT_EQ(state.Language(), Language::Russian);
}
