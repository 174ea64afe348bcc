// Moving the lane pictures: each tick advances a row by its step until it passes its limit.
#include "app/Lesson.h"
#include "app/MainForm.h"

bool TForm1::LowerLaneShown() const
{
    return Image2->Visible() || Image3->Visible();
}

void TForm1::SetUpRow1Animation()
{
    State.Step1 = Lesson::StepOf(Edit2->Text());
    if (!LowerLaneShown()) {
        State.Limit1 = Lesson::TrackLength;
        Timer1->SetEnabled(true);
    }
}

void TForm1::SetUpRow2Animation()
{
    if (!LowerLaneShown())
        return;
    State.Step2 = Lesson::StepOf(Edit5->Text());
    const Lesson::RunLimits limits = Lesson::ScaledLimits(Edit3->Text(), Edit6->Text());
    State.Limit1 = limits.Limit1;
    State.Limit2 = limits.Limit2;
    Timer1->SetEnabled(true);
    Timer2->SetEnabled(true);
}

void TForm1::Timer1Timer(QObject*)
{
    if (!Lesson::Tick(State.Pos1, State.Step1, State.Limit1)) {
        Timer1->SetEnabled(false);
        return;
    }
    Image1->SetLeft(State.Pos1);
}

void TForm1::Timer2Timer(QObject*)
{
    if (!Lesson::Tick(State.Pos2, State.Step2, State.Limit2)) {
        Timer2->SetEnabled(false);
        return;
    }
    if (CheckBox1->Checked())
        Image3->SetLeft(Lesson::TowardsLeft(State.Pos2));
    else
        Image2->SetLeft(State.Pos2);
}

void TForm1::FormActivate(QObject*)
{
    State.Pos1 = 0;
}
