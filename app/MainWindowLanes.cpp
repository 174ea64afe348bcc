// The lanes' handlers, written once over a lane: choosing its object, the towards box,
// the start button and its timer's tick. The model decides; the window shows it.
#include "app/MainWindow.h"
#include "lesson/VehicleCatalogue.h"
#include "toolkit/StdAccessible.h"
#include "toolkit/Utf8.h"

namespace {

Lesson::RowTexts RowOf(const LaneControls& lane)
{
    return {lane.Time->Text(), lane.Speed->Text(), lane.Distance->Text()};
}

} // namespace

// Where the lane's pictures stand and which shows; the towards box follows the lane
// (the empty entry turns it off).
void MainWindow::ShowLane(LaneControls& lane)
{
    const Lesson::Lane& state = *lane.State;
    lane.Picture->SetLeft(state.PictureLeft);
    if (lane.TowardsPicture) {
        lane.TowardsPicture->SetLeft(state.TowardsLeft);
        lane.TowardsPicture->SetVisible(state.Showing == Lesson::Shown::TowardsPicture);
        lane.TowardsBox->SetChecked(state.Towards);
    }
    lane.Picture->SetVisible(state.Showing == Lesson::Shown::Picture);
    lane.Timer->SetEnabled(state.Running);
}

// A text that names no object, as while a name is being typed, leaves the lane's
// picture alone: nothing is loaded, so no error box opens for a half-typed name.
void MainWindow::ObjectChosen(LaneControls& lane)
{
    const std::string picture = Lesson::ChooseObject(*lane.State, lane.ObjectList->Text());
    for (TEdit* field : {lane.Time, lane.Speed, lane.Distance})
        field->SetText("");
    ShowLane(lane);
    if (picture.empty())
        return;
    TImage* shown = lane.State->Towards ? lane.TowardsPicture : lane.Picture;
    shown->Picture().LoadFromFile(std::string(VehicleCatalogue::PictureFolder) + picture);
    // Tells screen readers which object the lane now shows.
    shown->setAccessibleName(ToQString(Lesson::ObjectShownBy(picture, state_.Language)));
}

void MainWindow::TowardsClick(QObject*)
{
    Lesson::SetTowards(*LowerLane.State, LowerLane.TowardsBox->Checked());
    ShowLane(LowerLane);
}

// Writes the value the model completed into its field. A screen reader would not speak
// a field it is not on, so the value is announced.
void MainWindow::ShowRow(LaneControls& lane, const Lesson::RowTexts& row)
{
    for (auto [field, text] : {std::pair{lane.Time, &row.T}, {lane.Speed, &row.V}, {lane.Distance, &row.S}}) {
        if (field->Text() == *text)
            continue;
        field->SetText(*text);
        Announce(field, field->accessibleName() + QStringLiteral(": ") + field->text());
    }
    ShowLane(lane);
}

// Each row holding two values is completed and set running. An error stops the start
// where it happens: what was done before it is shown, then the error box opens.
void MainWindow::StartClick(QObject*)
{
    Lesson::RowTexts upper = RowOf(UpperLane), lower = RowOf(LowerLane);
    try {
        Lesson::Start(state_, upper, lower);
    } catch (...) {
        ShowRow(UpperLane, upper);
        ShowRow(LowerLane, lower);
        throw;
    }
    ShowRow(UpperLane, upper);
    ShowRow(LowerLane, lower);
}

void MainWindow::LaneTick(LaneControls& lane)
{
    Lesson::Tick(*lane.State);
    ShowLane(lane);
}

void MainWindow::WindowActivated(QObject*)
{
    Lesson::WindowActivated(state_);
}
