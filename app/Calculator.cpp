// The start button: completes each row that holds two values and sets its run going.
#include "app/MainForm.h"
#include "runtime/Arith.h"
#include "runtime/NumText.h"

namespace {

// A field is filled when it holds any text at all; blanks count.
bool Filled(const TEdit* field)
{
    return !field->text().isEmpty();
}

bool HasTwoValues(const TEdit* t, const TEdit* v, const TEdit* s)
{
    return (Filled(t) && Filled(v)) || (Filled(v) && Filled(s)) || (Filled(t) && Filled(s));
}

// The quotient of two whole numbers, formed in extended precision and kept as a double.
std::string QuotientText(int32_t dividend, int32_t divisor)
{
    return FloatToStr(ToDouble(CheckedDivide(dividend, divisor)));
}

// Fills the one empty field from the other two. A row with all three filled is left
// exactly as typed. The order of conversion decides which text an error quotes.
void CompleteRow(TEdit* t, TEdit* v, TEdit* s)
{
    if (!Filled(s)) {
        const int32_t time = StrToInt(t->Text());
        const int32_t speed = StrToInt(v->Text());
        // Formed in 64 bits: a product beyond 32 bits is written as its true value.
        const int64_t distance = int64_t{time} * speed;
        s->SetText(FloatToStr(static_cast<Extended>(distance)));
    }
    if (!Filled(v)) {
        const int32_t time = StrToInt(t->Text());
        const int32_t distance = StrToInt(s->Text());
        v->SetText(QuotientText(distance, time));
    }
    if (!Filled(t)) {
        const int32_t speed = StrToInt(v->Text());
        const int32_t distance = StrToInt(s->Text());
        t->SetText(QuotientText(distance, speed));
    }
}

} // namespace

void TForm1::xpButton1Click(QObject*)
{
    if (HasTwoValues(Edit1, Edit2, Edit3)) {
        CompleteRow(Edit1, Edit2, Edit3);
        SetUpRow1Animation();
    }
    if (HasTwoValues(Edit4, Edit5, Edit6)) {
        CompleteRow(Edit4, Edit5, Edit6);
        SetUpRow2Animation();
    }
}
