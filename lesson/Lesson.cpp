#include "lesson/Lesson.h"

#include "lesson/VehicleCatalogue.h"

namespace Lesson {
namespace {

// Writes a row's missing value into the row; a row with all three filled stays as typed.
void Complete(RowTexts& row)
{
    if (const std::optional<Completion> completion = CompleteRow(row))
        (completion->Field == RowField::T ? row.T : completion->Field == RowField::V ? row.V : row.S) =
            completion->Text;
}

} // namespace

bool LowerLaneShown(const State& state)
{
    return state.Lower.Showing != Shown::Nothing;
}

std::string ChooseObject(Lane& lane, std::string_view text)
{
    lane.Position = 0;
    if (lane.Towards) {
        lane.Showing = Shown::TowardsPicture;
        lane.TowardsLeft = TowardsRestLeft;
    } else {
        lane.Showing = Shown::Picture;
        lane.PictureLeft = PictureRestLeft;
    }
    if (const Vehicle* named = VehicleCatalogue::FindByName(text)) {
        lane.PictureName = lane.Towards ? VehicleCatalogue::TowardsPictureName(named->Number)
                                        : VehicleCatalogue::PictureName(named->Number);
        return lane.PictureName;
    }
    if (lane.HasEmptyEntry && VehicleCatalogue::IsEmptyEntry(text)) {
        lane.Towards = false;
        lane.Showing = Shown::Nothing;
    }
    return {};
}

void SetTowards(Lane& lane, bool towards)
{
    if (towards == lane.Towards)
        return;
    lane.Towards = towards;
    lane.Showing = towards ? Shown::TowardsPicture : Shown::Picture;
}

void Start(State& state, RowTexts& upper, RowTexts& lower)
{
    if (HasTwoValues(upper)) {
        Complete(upper);
        state.Upper.Step = StepOf(upper.V);
        if (!LowerLaneShown(state)) {
            state.Upper.Limit = TrackLength;
            state.Upper.Running = true;
        }
    }
    if (HasTwoValues(lower)) {
        Complete(lower);
        if (LowerLaneShown(state)) {
            state.Lower.Step = StepOf(lower.V);
            const RunLimits limits = ScaledLimits(upper.S, lower.S);
            state.Upper.Limit = limits.Limit1;
            state.Lower.Limit = limits.Limit2;
            state.Upper.Running = true;
            state.Lower.Running = true;
        }
    }
}

void Tick(Lane& lane)
{
    if (!Tick(lane.Position, lane.Step, lane.Limit)) {
        lane.Running = false;
        return;
    }
    if (lane.Towards)
        lane.TowardsLeft = TowardsLeft(lane.Position);
    else
        lane.PictureLeft = lane.Position;
}

void WindowActivated(State& state)
{
    state.Upper.Position = 0;
}

std::string ListTextIn(std::string_view text, ::Language language)
{
    const bool english = language == Language::English;
    if (const Vehicle* named = VehicleCatalogue::FindByName(text))
        return std::string(english ? named->English : named->Russian);
    if (VehicleCatalogue::IsEmptyEntry(text))
        return std::string(english ? VehicleCatalogue::EmptyEnglish : VehicleCatalogue::EmptyRussian);
    return std::string(LanguageTable(language).ListText);
}

std::string ObjectNameIn(std::string_view name, ::Language language)
{
    const Vehicle* named = VehicleCatalogue::FindByName(name);
    if (named == nullptr)
        return std::string(name);
    return std::string(language == Language::English ? named->English : named->Russian);
}

std::string ObjectShownBy(std::string_view pictureName, ::Language language)
{
    const Vehicle* shown = VehicleCatalogue::FindByPicture(pictureName);
    if (shown == nullptr)
        return {};
    return std::string(language == Language::English ? shown->English : shown->Russian);
}

} // namespace Lesson
