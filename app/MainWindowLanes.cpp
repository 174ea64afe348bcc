// The lanes' handlers, written once over a lane: choosing its object, the towards box,
// the start button and its timer's tick. The model decides; the window shows it.
#include "app/MainWindow.h"

#include "accessibility/Announce.h"
#include "toolkit/Utf8.h"

namespace {

Lesson::RowTexts RowOf(const LaneControls& lane)
{
    return {lane.Time->Utf8Text(), lane.Speed->Utf8Text(), lane.Distance->Utf8Text()};
}

} // namespace

// Where the lane's pictures stand and which shows; the towards box follows the lane
// (the empty entry turns it off).
void MainWindow::ShowLane(LaneControls& lane)
{
    const Lesson::Lane& state = state_.Of(lane.Id);
    lane.Picture->SetLeft(state.PictureLeft);
    if (lane.TowardsPicture) {
        lane.TowardsPicture->SetLeft(state.TowardsLeft);
        lane.TowardsPicture->setVisible(state.Showing == Lesson::Shown::TowardsPicture);
        lane.TowardsBox->setChecked(state.Towards);
    }
    lane.Picture->setVisible(state.Showing == Lesson::Shown::Picture);
    lane.Timer->SetEnabled(state.Running);
}

// A text that names no object, as while a name is being typed, leaves the lane's
// picture alone: nothing is loaded, so no error box opens for a half-typed name.
void MainWindow::ObjectChosen(LaneControls& lane)
{
    Lesson::RowTexts row;
    const std::string picture = state_.ChooseObject(lane.Id, lane.ObjectList->Utf8Text(), row);
    for (auto [field, text] : {std::pair{lane.Time, &row.T}, {lane.Speed, &row.V}, {lane.Distance, &row.S}})
        field->SetTextFromStart(*text);
    ShowLane(lane);
    if (picture.empty())
        return;
    TImage* shown = state_.Of(lane.Id).Towards ? lane.TowardsPicture : lane.Picture;
    shown->Picture().LoadFromFile(std::string(Lesson::VehicleCatalogue::PictureFolder) + picture);
    // Tells screen readers which object the lane now shows.
    shown->setAccessibleName(ToQString(state_.PictureLoaded(lane.Id)));
}

void MainWindow::TowardsClick(QObject*)
{
    state_.SetTowards(LowerLane.TowardsBox->isChecked());
    ShowLane(LowerLane);
}

// Writes the value the model completed into its field. A screen reader would not speak
// a field it is not on, so the value is announced.
void MainWindow::ShowRow(LaneControls& lane, const Lesson::RowTexts& row)
{
    for (auto [field, text] : {std::pair{lane.Time, &row.T}, {lane.Speed, &row.V}, {lane.Distance, &row.S}}) {
        if (field->Utf8Text() == *text)
            continue;
        field->SetTextFromStart(*text);
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
        state_.Start(upper, lower);
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
    state_.Tick(lane.Id);
    ShowLane(lane);
}

void MainWindow::WindowActivated(QObject*)
{
    state_.WindowActivated();
}
