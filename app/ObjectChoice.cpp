// Choosing the object of a lane: the row starts over and shows the object's picture.
#include "app/Lesson.h"
#include "app/MainForm.h"
#include "app/VehicleCatalogue.h"
#include "toolkit/Utf8.h"

namespace {

// The file name of the catalogue entry the list text names, in either language,
// letter case included; `previous` when the text names none.
std::string MatchedPicture(const std::string& text, const std::string& previous, bool towards)
{
    const Vehicle* named = VehicleCatalogue::FindByName(text);
    if (named == nullptr)
        return previous;
    return towards ? VehicleCatalogue::TowardsPictureName(named->Number) : VehicleCatalogue::PictureName(named->Number);
}

std::string PicturePath(const std::string& name)
{
    return std::string(VehicleCatalogue::PictureFolder) + name;
}

// Tells screen readers which object a freshly loaded lane picture shows, named in the
// lesson's language. Read from the picture itself, since a text that names no object
// loads the previous picture again.
void NameShownObject(TImage& image, const std::string& pictureName, bool english)
{
    if (const Vehicle* shown = VehicleCatalogue::FindByPicture(pictureName))
        image.setAccessibleName(ToQString(english ? shown->English : shown->Russian));
}

} // namespace

void TForm1::ComboBox1Change(QObject*)
{
    State.Pos1 = 0;
    Image1->SetVisible(true);
    Image1->SetLeft(Lesson::PictureRestLeft);
    Edit1->SetText("");
    Edit2->SetText("");
    Edit3->SetText("");
    State.PictureName1 = MatchedPicture(ComboBox1->Text(), State.PictureName1, false);
    // Runs even when nothing matched: the previous picture is loaded again, or, before
    // any match, the bare folder, which fails and keeps the picture shown.
    Image1->Picture().LoadFromFile(PicturePath(State.PictureName1));
    NameShownObject(*Image1, State.PictureName1, xpCheckBox2->Checked());
}

void TForm1::ComboBox2Change(QObject*)
{
    State.Pos2 = 0;
    Edit4->SetText("");
    Edit5->SetText("");
    Edit6->SetText("");
    const std::string text = ComboBox2->Text();
    if (!CheckBox1->Checked()) {
        Image3->SetVisible(false);
        Image2->SetLeft(Lesson::PictureRestLeft);
        Image2->SetVisible(true);
        State.PictureName2 = MatchedPicture(text, State.PictureName2, false);
        if (!VehicleCatalogue::IsEmptyEntry(text)) {
            Image2->Picture().LoadFromFile(PicturePath(State.PictureName2));
            NameShownObject(*Image2, State.PictureName2, xpCheckBox2->Checked());
        } else {
            Image2->SetVisible(false);
        }
    } else {
        Image3->SetVisible(true);
        Image3->SetLeft(Lesson::TowardsRestLeft);
        Image2->SetVisible(false);
        State.PictureName2 = MatchedPicture(text, State.PictureName2, true);
        if (!VehicleCatalogue::IsEmptyEntry(text)) {
            Image3->Picture().LoadFromFile(PicturePath(State.PictureName2));
            NameShownObject(*Image3, State.PictureName2, xpCheckBox2->Checked());
        } else {
            CheckBox1->SetChecked(false);
            Image3->SetVisible(false);
            Image2->SetVisible(false);
        }
    }
}

void TForm1::CheckBox1Click(QObject*)
{
    // Only visibility changes: each image keeps the picture it last held.
    if (CheckBox1->Checked()) {
        Image2->SetVisible(false);
        Image3->SetVisible(true);
    } else {
        Image3->SetVisible(false);
        Image2->SetVisible(true);
    }
}
