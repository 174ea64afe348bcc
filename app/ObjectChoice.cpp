// Choosing the object of a lane: the row starts over and shows the object's picture.
#include "app/Lesson.h"
#include "app/MainForm.h"
#include "app/VehicleCatalogue.h"
#include "toolkit/Utf8.h"

namespace {

// The file name of the catalogue entry the list text names, in either language,
// letter case included; empty when the text names none.
std::string MatchedPicture(const std::string& text, bool towards)
{
    const Vehicle* named = VehicleCatalogue::FindByName(text);
    if (named == nullptr)
        return {};
    return towards ? VehicleCatalogue::TowardsPictureName(named->Number) : VehicleCatalogue::PictureName(named->Number);
}

std::string PicturePath(const std::string& name)
{
    return std::string(VehicleCatalogue::PictureFolder) + name;
}

// Tells screen readers which object a freshly loaded lane picture shows, named in the
// lesson's language.
void NameShownObject(TImage& image, const std::string& pictureName, bool english)
{
    if (const Vehicle* shown = VehicleCatalogue::FindByPicture(pictureName))
        image.setAccessibleName(ToQString(english ? shown->English : shown->Russian));
}

} // namespace

// A text that names no object, as while a name is being typed, leaves the lane's
// picture alone: nothing is loaded, so no error box opens for a half-typed name.
void TForm1::ComboBox1Change(QObject*)
{
    State.Pos1 = 0;
    Image1->SetVisible(true);
    Image1->SetLeft(Lesson::PictureRestLeft);
    Edit1->SetText("");
    Edit2->SetText("");
    Edit3->SetText("");
    const std::string picture = MatchedPicture(ComboBox1->Text(), false);
    if (picture.empty())
        return;
    State.PictureName1 = picture;
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
        if (const std::string picture = MatchedPicture(text, false); !picture.empty()) {
            State.PictureName2 = picture;
            Image2->Picture().LoadFromFile(PicturePath(State.PictureName2));
            NameShownObject(*Image2, State.PictureName2, xpCheckBox2->Checked());
        } else if (VehicleCatalogue::IsEmptyEntry(text)) {
            Image2->SetVisible(false);
        }
    } else {
        Image3->SetVisible(true);
        Image3->SetLeft(Lesson::TowardsRestLeft);
        Image2->SetVisible(false);
        if (const std::string picture = MatchedPicture(text, true); !picture.empty()) {
            State.PictureName2 = picture;
            Image3->Picture().LoadFromFile(PicturePath(State.PictureName2));
            NameShownObject(*Image3, State.PictureName2, xpCheckBox2->Checked());
        } else if (VehicleCatalogue::IsEmptyEntry(text)) {
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
