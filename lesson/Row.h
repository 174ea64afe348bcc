// A row's arithmetic: completing a row from its three texts, the step and run limits of
// the animation, and one tick of a position.
//
//   CompleteRow({"3", "60", ""})  -> s = "180"      CompleteRow({"", "7", "10"}) -> t = "1,42857142857143" (",")
//   CompleteRow({"abc", "5", ""}) throws EConvertError "'abc' is not a valid integer value"
//   StepOf("60") -> 6    StepOf("25") -> 2 (ties to even)    StepOf("x") throws EConvertError
//   ScaledLimits("100", "60") -> {555, 333}
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace Lesson {

// Lane geometry, in pixels. The full track is the run limit of the longer distance and
// the origin of the towards picture; a picture box at left 555 ends at the lane's right edge.
inline constexpr int32_t TrackLength = 555;
// Where a lane picture rests, left to right and in towards mode.
inline constexpr int32_t PictureRestLeft = 1;
inline constexpr int32_t TowardsRestLeft = 534;
// A tick moves a picture by a tenth of its speed.
inline constexpr int SpeedDivisor = 10;

// The three field texts of a row: time, speed, distance.
struct RowTexts {
    std::string T;
    std::string V;
    std::string S;
};

enum class RowField { T, V, S };

// The text written into the one empty field of a row.
struct Completion {
    RowField Field;
    std::string Text;
};

// A field is filled when it holds any text at all; blanks count. A row is completed
// when at least two of its fields are filled.
bool HasTwoValues(const RowTexts& row);

// The missing value of a row holding exactly two texts; nothing for a row with all
// three. Throws what the conversions and the division throw, in the order the texts
// are read (which decides the text an error quotes): for s, t then v; for v, t then s;
// for t, v then s.
std::optional<Completion> CompleteRow(const RowTexts& row);

// Pixels per tick for a speed text: a tenth of the value, rounded to nearest with ties to even.
int32_t StepOf(const std::string& speedText);

struct RunLimits {
    int32_t Limit1 = 0;
    int32_t Limit2 = 0;
};

// Two objects: the longer distance runs the whole track, the other its share of it
// (equal distances: row 1 takes the share, which is the whole track).
RunLimits ScaledLimits(const std::string& distance1, const std::string& distance2);

// One tick of a row: false when the run is over (the position goes back to 0 and the
// picture stays where it stopped); otherwise the position advances by the step,
// wrapping as a 32-bit counter.
bool Tick(int32_t& position, int32_t step, int32_t limit);

// The left edge of the towards picture at a run position.
int32_t TowardsLeft(int32_t position);

} // namespace Lesson
