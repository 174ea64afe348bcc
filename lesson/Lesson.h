// The lesson's model, apart from any window: two lanes and the language, and the
// operations the main window's controls set off. The window shows what the model holds.
//
//   State s;                        upper lane shows the car; the lower lane nothing, its timer on
//   ChooseObject(s.Upper, "Яхта")   -> "6.jpg" to load, upper position 0, picture at rest (left 1)
//   Start(s, {"3", "60", ""}, ...)  -> the upper row reads s = "180"; step 6, limit 555, running
//   Tick(s.Upper)                   -> position 6, picture left 6
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "lesson/LanguageTable.h"
#include "lesson/Row.h"

namespace Lesson {

// Where the lower lane's towards picture stands until an object is first chosen for it.
inline constexpr int32_t TowardsFirstLeft = 553;

// Which of its pictures a lane shows; only the lower lane has a towards picture.
enum class Shown { Nothing, Picture, TowardsPicture };

// One lane: the object it shows and how its picture runs. Counters are pixels.
struct Lane {
    bool HasEmptyEntry = false; // the lower list's empty entry takes the lane's object away
    std::string PictureName{};  // the picture file last chosen, e.g. "1.jpg"; empty before any choice
    int32_t Position = 0;       // how far the picture has run in the current run
    int32_t Step = 0;           // pixels added to the position per tick
    int32_t Limit = 0;          // the run ends on the tick that finds the position beyond this
    bool Running = false;       // its timer ticks
    bool Towards = false;       // the object comes towards from the right
    Shown Showing = Shown::Picture;
    int32_t PictureLeft = PictureRestLeft; // where each picture stands
    int32_t TowardsLeft = TowardsFirstLeft;
};

// The lesson as it starts: the upper lane shows the car at rest; the lower lane shows
// nothing, and its timer runs from the start with step and limit 0, which keeps its
// position pinned at 0.
struct State {
    Lane Upper;
    Lane Lower{.HasEmptyEntry = true, .Running = true, .Showing = Shown::Nothing};
    ::Language Language = Language::Russian;
};

// A list now reads TEXT: the lane starts over, its picture at rest. Returns the picture
// file to load for the object TEXT names, in either language; empty when it names none
// (as while a name is being typed), and then nothing is loaded. The empty entry shows
// nothing and turns towards off.
std::string ChooseObject(Lane& lane, std::string_view text);

// The towards box now reads TOWARDS: only which picture shows changes; each keeps its
// picture and place. Setting what the lane already has changes nothing.
void SetTowards(Lane& lane, bool towards);

// The start button: each row holding two values is completed in place and its run set
// going, the upper row first. With the lower lane shown the two run against each
// other: the longer distance takes the whole track. An error ends the operation where
// it happens, with what was done before it kept.
void Start(State& state, RowTexts& upper, RowTexts& lower);

// One tick of a lane's timer: the picture moves on by its step; once the position is
// beyond the limit the run is over, the timer stops and the picture stays.
void Tick(Lane& lane);

// Coming back to the main window starts the upper lane's next run from the left.
void WindowActivated(State& state);

// What a list reads after a switch to LANGUAGE: the object or the empty entry its text
// names, in either language; else the language's default object.
std::string ListTextIn(std::string_view text, ::Language language);

// The object a lane picture is named after, or the object its file shows, named in
// LANGUAGE; a name that is no object's stays as it is, a file of none gives "".
std::string ObjectNameIn(std::string_view name, ::Language language);
std::string ObjectShownBy(std::string_view pictureName, ::Language language);

} // namespace Lesson
