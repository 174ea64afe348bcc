#include "lesson/Lesson.h"

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

std::string State::ChooseObject(LaneId id, std::string_view text, RowTexts& row)
{
    Lane& lane = Writable(id);
    row = {};
    lane.Position = 0;
    if (lane.Towards) {
        lane.Showing = Shown::TowardsPicture;
        lane.TowardsLeft = TowardsRestLeft;
    } else {
        lane.Showing = Shown::Picture;
        lane.PictureLeft = PictureRestLeft;
    }
    if ((lane.Chosen = VehicleCatalogue::FindByName(text)) != nullptr)
        return VehicleCatalogue::PictureFile(lane.Chosen->Number, lane.Towards);
    if (lane.HasEmptyEntry && VehicleCatalogue::IsEmptyEntry(text)) {
        lane.Towards = false;
        lane.Showing = Shown::Nothing;
    }
    return {};
}

std::string_view State::PictureLoaded(LaneId id)
{
    Lane& lane = Writable(id);
    (lane.Towards ? lane.TowardsObject : lane.PictureObject) = lane.Chosen;
    return lane.Chosen->Name(language_);
}

void State::SetTowards(bool towards)
{
    if (towards == lower_.Towards)
        return;
    lower_.Towards = towards;
    lower_.Showing = towards ? Shown::TowardsPicture : Shown::Picture;
}

void State::Start(RowTexts& upper, RowTexts& lower)
{
    // With the lower lane showing a picture, the start button runs both lanes against each other.
    const bool lowerShown = lower_.Showing != Shown::Nothing;
    if (HasTwoValues(upper)) {
        Complete(upper);
        upper_.Step = StepOf(upper.V);
        if (!lowerShown) {
            upper_.Limit = TrackLength;
            upper_.Running = true;
        }
    }
    if (HasTwoValues(lower)) {
        Complete(lower);
        if (lowerShown) {
            lower_.Step = StepOf(lower.V);
            const RunLimits limits = ScaledLimits(upper.S, lower.S);
            upper_.Limit = limits.Limit1;
            lower_.Limit = limits.Limit2;
            upper_.Running = true;
            lower_.Running = true;
        }
    }
}

void State::Tick(LaneId id)
{
    Lane& lane = Writable(id);
    // Strictly greater: a run ends only after overshooting its limit.
    if (lane.Position > lane.Limit) {
        lane.Position = 0;
        lane.Running = false;
        return;
    }
    // The counters wrap as 32-bit two's complement, without overflow in signed arithmetic.
    lane.Position = static_cast<int32_t>(static_cast<uint32_t>(lane.Position) + static_cast<uint32_t>(lane.Step));
    if (lane.Towards)
        lane.TowardsLeft = static_cast<int32_t>(static_cast<uint32_t>(TrackLength) - static_cast<uint32_t>(lane.Position));
    else
        lane.PictureLeft = lane.Position;
}

void State::WindowActivated()
{
    upper_.Position = 0;
}

LanguageSwitch State::SwitchLanguage(Lesson::Language language, std::string_view upperList, std::string_view lowerList)
{
    language_ = language;
    return {LanguageTable(language), LaneIn(LaneId::Upper, upperList), LaneIn(LaneId::Lower, lowerList)};
}

LaneInLanguage State::LaneIn(LaneId id, std::string_view listText) const
{
    const Lane& lane = Of(id);
    LaneInLanguage shown{std::string(LanguageTable(language_).ListText), {}, lane.PictureObject->Name(language_),
                         lane.TowardsObject ? lane.TowardsObject->Name(language_) : ""};
    for (const Vehicle& v : VehicleCatalogue::Vehicles)
        shown.ListItems.push_back(v.Name(language_));
    if (lane.HasEmptyEntry)
        shown.ListItems.push_back(VehicleCatalogue::EmptyEntry.Name(language_));
    if (const Vehicle* named = VehicleCatalogue::FindByName(listText))
        shown.ListText = named->Name(language_);
    else if (VehicleCatalogue::IsEmptyEntry(listText))
        shown.ListText = VehicleCatalogue::EmptyEntry.Name(language_);
    return shown;
}

} // namespace Lesson
