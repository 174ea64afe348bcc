// Moving the lane pictures: each tick advances a row by its step until it passes its limit.
#include "app/MainForm.h"
#include "runtime/Arith.h"
#include "runtime/NumText.h"

namespace {

// The full track: the run limit of the longer distance, and where the towards picture starts.
constexpr int32_t TrackLength = 555;
// A tenth of the speed, in pixels per tick.
constexpr Extended SpeedDivisor = 10;

int32_t StepOf(const TEdit* speedField)
{
    return RoundToInt32(CheckedDivide(StrToFloat(speedField->Text()), SpeedDivisor));
}

// Two's-complement wrap without overflow in signed arithmetic.
int32_t WrappingAdd(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

int32_t WrappingSub(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

} // namespace

bool TForm1::LowerLaneShown() const
{
    return Image2->Visible() || Image3->Visible();
}

void TForm1::SetUpRow1Animation()
{
    State.Step1 = StepOf(Edit2);
    if (!LowerLaneShown()) {
        State.Limit1 = TrackLength;
        Timer1->SetEnabled(true);
    }
}

void TForm1::SetUpRow2Animation()
{
    if (!LowerLaneShown())
        return;
    State.Step2 = StepOf(Edit5);
    const double s1 = ToDouble(StrToFloat(Edit3->Text()));
    const double s2 = ToDouble(StrToFloat(Edit6->Text()));
    // The longer distance runs the whole track, the other its share of it.
    if (s1 > s2) {
        const int32_t limit2 = RoundToInt32(CheckedDivide(CheckedMultiply(s2, TrackLength), s1));
        State.Limit2 = limit2;
        State.Limit1 = TrackLength;
    } else {
        const int32_t limit1 = RoundToInt32(CheckedDivide(CheckedMultiply(s1, TrackLength), s2));
        State.Limit1 = limit1;
        State.Limit2 = TrackLength;
    }
    Timer1->SetEnabled(true);
    Timer2->SetEnabled(true);
}

void TForm1::Timer1Timer(QObject*)
{
    // Strictly greater: a run ends only after overshooting its limit.
    if (State.Pos1 > State.Limit1) {
        Timer1->SetEnabled(false);
        State.Pos1 = 0;
        return;
    }
    State.Pos1 = WrappingAdd(State.Pos1, State.Step1);
    Image1->SetLeft(State.Pos1);
}

void TForm1::Timer2Timer(QObject*)
{
    if (State.Pos2 > State.Limit2) {
        Timer2->SetEnabled(false);
        State.Pos2 = 0;
        return;
    }
    State.Pos2 = WrappingAdd(State.Pos2, State.Step2);
    if (CheckBox1->Checked())
        Image3->SetLeft(WrappingSub(TrackLength, State.Pos2));
    else
        Image2->SetLeft(State.Pos2);
}

void TForm1::FormActivate(QObject*)
{
    State.Pos1 = 0;
}
