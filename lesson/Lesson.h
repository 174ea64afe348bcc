// The lesson's model, apart from any window: two lanes and the language, changed only by
// the operations the main window's controls set off. The window shows what the model holds.
//
//   State s;                                    upper lane shows the car; the lower lane nothing, its timer on
//   s.ChooseObject(LaneId::Upper, "Яхта", row)  -> "6.jpg" to load, the row cleared, position 0, picture at rest
//   s.Start({"3", "60", ""}, ...)               -> the upper row reads s = "180"; step 6, limit 555, running
//   s.Tick(LaneId::Upper)                       -> position 6, picture left 6
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lesson/Row.h"
#include "lesson/VehicleCatalogue.h"

namespace Lesson {

// Where the lower lane's towards picture stands until an object is first chosen for it.
inline constexpr int32_t TowardsFirstLeft = 553;

// Which of its pictures a lane shows; only the lower lane has a towards picture.
enum class Shown { Nothing, Picture, TowardsPicture };
enum class LaneId { Upper, Lower };

// One lane: the objects its pictures show and how they run. Counters are pixels.
struct Lane {
    bool HasEmptyEntry = false; // the lower list's empty entry takes the lane's object away
    // The object each picture shows, nullptr for none; the towards picture starts with none.
    const Vehicle* PictureObject = &VehicleCatalogue::Vehicles.front();
    const Vehicle* TowardsObject = nullptr;
    const Vehicle* Chosen = nullptr; // the object last chosen, until its picture is loaded
    int32_t Position = 0;       // how far the picture has run in the current run
    int32_t Step = 0;           // pixels added to the position per tick
    int32_t Limit = 0;          // the run ends on the tick that finds the position beyond this
    bool Running = false;       // its timer ticks
    bool Towards = false;       // the object comes towards from the right
    Shown Showing = Shown::Picture;
    int32_t PictureLeft = PictureRestLeft; // where each picture stands
    int32_t TowardsLeft = TowardsFirstLeft;
};

// A lane's list and pictures in a language.
struct LaneInLanguage {
    std::string ListText;                    // what its list reads
    std::vector<std::string_view> ListItems; // its list's items, in their places
    std::string_view PictureName, TowardsPictureName; // the objects its pictures show; "" for none
};

// What a switch of language changes: every text of the windows, both lanes' lists and pictures' names.
struct LanguageSwitch {
    const LessonTexts& Texts;
    LaneInLanguage Upper, Lower;
};

// The lesson as it starts: the upper lane shows the car at rest; the lower lane shows
// nothing, and its timer runs from the start with step and limit 0, which keeps its
// position pinned at 0. In Russian.
class State {
public:
    const Lane& Upper() const { return upper_; }
    const Lane& Lower() const { return lower_; }
    const Lane& Of(LaneId lane) const { return lane == LaneId::Upper ? upper_ : lower_; }
    Lesson::Language Language() const { return language_; }

    // A list now reads TEXT: the lane starts over, its picture at rest, and its ROW is
    // cleared. Returns the picture file to load for the object TEXT names, in either
    // language; empty when it names none (as while a name is being typed), and then
    // nothing is loaded. The empty entry shows nothing and turns towards off.
    std::string ChooseObject(LaneId lane, std::string_view text, RowTexts& row);
    // The chosen object's picture is loaded: the lane's picture shows it; returns its name.
    std::string_view PictureLoaded(LaneId lane);

    // The towards box now reads TOWARDS: only which picture shows changes; each keeps its
    // picture and place. Setting what the lane already has changes nothing.
    void SetTowards(bool towards);

    // The start button: each row holding two values is completed in place and its run set
    // going, the upper row first. With the lower lane shown the two run against each
    // other: the longer distance takes the whole track. An error ends the operation where
    // it happens, with what was done before it kept.
    void Start(RowTexts& upper, RowTexts& lower);

    // One tick of a lane's timer: the picture moves on by its step; once the position is
    // beyond the limit the run is over, the timer stops and the picture stays.
    void Tick(LaneId lane);

    // Coming back to the main window starts the upper lane's next run from the left.
    void WindowActivated();

    // The lesson now speaks LANGUAGE, its lists reading UPPER_LIST and LOWER_LIST: each list
    // names the object or the empty entry its text names, in either language, else the
    // language's default object.
    LanguageSwitch SwitchLanguage(Lesson::Language language, std::string_view upperList, std::string_view lowerList);
    // A lane's list and pictures in the lesson's language, its list reading LIST_TEXT.
    LaneInLanguage LaneIn(LaneId lane, std::string_view listText) const;

private:
    Lane& Writable(LaneId lane) { return lane == LaneId::Upper ? upper_ : lower_; }

    Lane upper_;
    Lane lower_{.HasEmptyEntry = true, .Running = true, .Showing = Shown::Nothing};
    Lesson::Language language_ = Lesson::Language::Russian;
};

} // namespace Lesson
