// The main window's layout: every position, size, font, colour and text in one place.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

#include "accessibility/Install.h"
#include "app/LessonLook.h"
#include "app/MainWindow.h"
#include "app/Resources.h"
#include "app/UiFonts.h"
#include "toolkit/Screen.h"
#include "toolkit/Utf8.h"

namespace {

using namespace LessonColours;

TBevel* MakeBevel(QWidget* parent, QRect box)
{
    auto* bevel = new TBevel(parent);
    bevel->setGeometry(box);
    return bevel;
}

TEdit* MakeEdit(QWidget* parent, QRect box)
{
    auto* edit = new TEdit(parent);
    edit->setGeometry(box);
    edit->setFont(UiFont(16, true));
    return edit;
}

TComboBox* MakeObjectList(QWidget* parent, QRect box, const std::vector<std::string_view>& items, std::string_view text)
{
    auto* list = new TComboBox(parent);
    list->setGeometry(box);
    list->setFont(UiFont(16, true));
    list->setCursor(Qt::PointingHandCursor);
    list->SetItemHeight(20);
    list->SetItems({items.begin(), items.end()});
    list->SetTextFromStart(text);
    return list;
}

TPanel* MakeLane(QWidget* parent, QRect box)
{
    auto* lane = new TPanel(parent);
    lane->setGeometry(box);
    QPalette p = lane->palette();
    p.setColor(QPalette::Window, White);
    lane->setPalette(p);
    return lane;
}

// A lane picture named after the object it starts with: the car, built into the program, or none.
TImage* MakeLanePicture(QWidget* lane, QRect box, std::string_view object, bool visible)
{
    auto* image = new TImage(lane);
    image->setGeometry(box);
    image->SetCenter(true);
    if (!object.empty()) {
        LoadBuiltInPicture(image->Picture(), ":/velmora/car.jpg");
        image->setAccessibleName(ToQString(object));
    }
    image->setVisible(visible);
    return image;
}

TxpCheckBox* MakeLanguageBox(QWidget* parent, QRect box, std::string_view caption, bool checked, bool enabled)
{
    auto* languageBox = new TxpCheckBox(parent);
    languageBox->setGeometry(box);
    languageBox->SetFont(UiFont(11, true), White);
    languageBox->SetColor(TColor::FromRgb(0x00, 0x78, 0xB4));
    languageBox->SetCaption(std::string(caption));
    languageBox->SetChecked(checked);
    languageBox->setEnabled(enabled);
    languageBox->setCursor(Qt::PointingHandCursor);
    return languageBox;
}

} // namespace

void MainWindow::CreateControls()
{
    setWindowTitle(ToQString(ProgramTitle));
    setFont(UiFont(11, false));

    Client = new QWidget(this);
    Client->setFixedSize(919, 363);
    Client->setAutoFillBackground(true); // button face, hidden by the background picture

    Menu = new QMenuBar(this);
    CribSheetItem = Menu->addAction(QString());
    HelpMenu = Menu->addMenu(QString());
    AboutItem = HelpMenu->addAction(QString());
    ExitItem = Menu->addAction(QString());

    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    frame->setSpacing(0);
    frame->setMenuBar(Menu);
    frame->addWidget(ScrolledToFitScreen(Client, QSize(0, Menu->sizeHint().height())));
    frame->setSizeConstraint(QLayout::SetFixedSize);

    QWidget* c = Client;
    Background = new TImage(c);
    Background->setGeometry(0, 0, 919, 363);
    LoadBuiltInPicture(Background->Picture(), ":/velmora/background.jpg");
    Background->setMouseTracking(true);
    MarkAsDecoration(Background);

    const auto fieldLabel = [c](QRect box, std::string_view caption) {
        return MakeLabel(c, box, caption, UiFont(24, true), Cream, LabelSize::Auto);
    };
    UpperLane.DistanceLabel = fieldLabel({560, 40, 29, 29}, "s=");
    UpperLane.SpeedLabel = fieldLabel({400, 40, 28, 29}, "v=");
    UpperLane.TimeLabel = fieldLabel({232, 40, 23, 29}, "t=");
    LowerLane.TimeLabel = fieldLabel({232, 297, 23, 29}, "t=");
    LowerLane.SpeedLabel = fieldLabel({400, 297, 28, 29}, "v=");
    LowerLane.DistanceLabel = fieldLabel({560, 297, 29, 29}, "s=");
    MakeBevel(c, {868, 29, 54, 307}); // the right strip, the title strip, the left strip, the bottom line
    MakeBevel(c, {0, 0, 920, 30});
    MakeBevel(c, {0, 30, 157, 306});
    MakeBevel(c, {0, 335, 920, 1});
    Title = MakeLabel(c, {0, 3, 920, 24}, "", UiFont(19, true), White, LabelSize::Fixed, Qt::AlignHCenter);
    DownloadText = MakeLabel(c, {249, 342, 324, 16}, "", UiFont(13, true), Silver, LabelSize::Auto);
    WebLink = MakeLabel(c, {576, 342, 94, 16}, WebSiteDomain, UiFont(13, true, true), Link, LabelSize::Auto);
    WebLink->setCursor(Qt::PointingHandCursor);
    MarkAsLink(WebLink); // reached by a screen reader's action; it stays out of the Tab order

    using namespace Lesson;
    const LaneInLanguage upper = state_.LaneIn(LaneId::Upper, ""), lower = state_.LaneIn(LaneId::Lower, "");
    UpperLane.ObjectList = MakeObjectList(c, {6, 114, 145, 28}, upper.ListItems, upper.ListText);
    LowerLane.ObjectList = MakeObjectList(c, {6, 224, 145, 28}, lower.ListItems, lower.ListItems.back()); // its empty entry
    UpperLane.Speed = MakeEdit(c, {432, 40, 121, 28});
    UpperLane.Distance = MakeEdit(c, {592, 40, 121, 28});
    UpperLane.Time = MakeEdit(c, {264, 40, 121, 28});
    UpperLane.Track = MakeLane(c, {163, 76, 700, 104});
    UpperLane.Picture = MakeLanePicture(UpperLane.Track, {PictureRestLeft, 2, 145, 100}, upper.PictureName, true);
    LowerLane.Track = MakeLane(c, {163, 186, 700, 105});
    LowerLane.Picture = MakeLanePicture(LowerLane.Track, {PictureRestLeft, 3, 145, 100}, lower.PictureName, false);
    LowerLane.TowardsPicture =
        MakeLanePicture(LowerLane.Track, {TowardsFirstLeft, 3, 145, 100}, lower.TowardsPictureName, false);
    LowerLane.Time = MakeEdit(c, {264, 297, 121, 28});
    LowerLane.Speed = MakeEdit(c, {432, 297, 121, 28});
    LowerLane.Distance = MakeEdit(c, {592, 297, 121, 28});

    TCheckBox* towards = LowerLane.TowardsBox = new TCheckBox(c);
    towards->setGeometry(871, 231, 46, 17);
    towards->setText(QStringLiteral("<="));
    towards->setFont(UiFont(19, true));
    towards->setCursor(Qt::PointingHandCursor);
    towards->setAutoFillBackground(true);
    {
        QPalette p = towards->palette();
        // A button fills its background with the button colour, not the window colour.
        p.setColor(QPalette::Button, QColor(0x00, 0x96, 0xE2));
        p.setColor(QPalette::Window, QColor(0x00, 0x96, 0xE2));
        p.setColor(QPalette::WindowText, QColor(0xFF, 0xFF, 0x00));
        towards->setPalette(p);
    }

    StartButton = new TxpButton(c);
    StartButton->setGeometry(33, 280, 91, 29);
    StartButton->SetFont(UiFont(16, true), Teal);
    StartButton->setCursor(Qt::PointingHandCursor);

    SwitchToRussian = MakeLanguageBox(c, {10, 342, 41, 17}, "RU", true, false);
    SwitchToEnglish = MakeLanguageBox(c, {871, 342, 41, 17}, "EN", false, true);

    // Keyboard order: the lists, the upper fields (speed, distance, time), the lower
    // fields (time, speed, distance), then the buttons.
    QWidget* order[] = {UpperLane.ObjectList, LowerLane.ObjectList, UpperLane.Speed, UpperLane.Distance,
                        UpperLane.Time,       LowerLane.Time,       LowerLane.Speed, LowerLane.Distance,
                        towards,              StartButton,          SwitchToRussian, SwitchToEnglish};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    WriteTexts(LanguageTable(state_.Language()), true);

    for (LaneControls* lane : {&UpperLane, &LowerLane}) {
        lane->Timer = new TTimer(this);
        lane->Timer->SetInterval(100);
        lane->Timer->SetEnabled(state_.Of(lane->Id).Running);
    }
}
