// The start button: completes each row that holds two values and sets its run going.
#include "app/Lesson.h"
#include "app/MainForm.h"
#include "toolkit/StdAccessible.h"

namespace {

// Writes the row's missing value into its field. A row with all three filled is left
// exactly as typed; an error leaves every field as it was.
void CompleteRow(TEdit* t, TEdit* v, TEdit* s)
{
    const std::optional<Lesson::Completion> completion = Lesson::CompleteRow({t->Text(), v->Text(), s->Text()});
    if (!completion)
        return;
    TEdit* field = completion->Field == Lesson::RowField::T ? t : completion->Field == Lesson::RowField::V ? v : s;
    field->SetText(completion->Text);
    // A screen reader would not speak a field it is not on: the value is announced.
    Announce(field, field->accessibleName() + QStringLiteral(": ") + field->text());
}

bool HasTwoValues(const TEdit* t, const TEdit* v, const TEdit* s)
{
    return Lesson::HasTwoValues({t->Text(), v->Text(), s->Text()});
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
