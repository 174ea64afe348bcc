// The main window's layout: every position, size, font, colour and text in one place.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

#include "app/LessonLook.h"
#include "app/MainForm.h"
#include "app/Resources.h"
#include "app/UiFonts.h"
#include "app/VehicleCatalogue.h"
#include "toolkit/StdAccessible.h"
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

TComboBox* MakeObjectList(QWidget* parent, QRect box, bool withEmptyEntry, std::string_view text)
{
    auto* list = new TComboBox(parent);
    list->setGeometry(box);
    list->setFont(UiFont(16, true));
    list->setCursor(Qt::PointingHandCursor);
    list->SetItemHeight(20);
    std::vector<std::string> items;
    for (const Vehicle& v : VehicleCatalogue::Vehicles)
        items.emplace_back(v.Russian);
    if (withEmptyEntry)
        items.emplace_back(VehicleCatalogue::EmptyRussian);
    list->SetItems(items);
    list->SetText(text);
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

TImage* MakeLaneImage(QWidget* lane, QRect box, bool withCar, bool visible)
{
    auto* image = new TImage(lane);
    image->setGeometry(box);
    image->SetCenter(true);
    if (withCar) {
        LoadBuiltInPicture(image->Picture(), ":/velmora/car.jpg");
        image->setAccessibleName(ToQString(VehicleCatalogue::Vehicles.front().Russian));
    }
    image->SetVisible(visible);
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
    languageBox->SetEnabled(enabled);
    languageBox->setCursor(Qt::PointingHandCursor);
    return languageBox;
}

} // namespace

void TForm1::CreateControls()
{
    setWindowTitle(ToQString(ProgramTitle));
    setFont(UiFont(11, false));

    Client = new QWidget(this);
    Client->setFixedSize(919, 363);
    Client->setAutoFillBackground(true); // button face, hidden by the background picture

    MainMenu1 = new QMenuBar(this);
    N3 = MainMenu1->addAction(QStringLiteral("Шпаргалка"));
    N1 = MainMenu1->addMenu(QStringLiteral("Помощь"));
    // Spelt so at start only: the language switch writes "О программе".
    N2 = N1->addAction(QStringLiteral("О програме"));
    N4 = MainMenu1->addAction(QStringLiteral("Выход"));

    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    frame->setSpacing(0);
    frame->setMenuBar(MainMenu1);
    frame->addWidget(Client);
    frame->setSizeConstraint(QLayout::SetFixedSize);

    QWidget* c = Client;
    Image4 = new TImage(c);
    Image4->setGeometry(0, 0, 919, 363);
    LoadBuiltInPicture(Image4->Picture(), ":/velmora/background.jpg");
    Image4->setMouseTracking(true);
    MarkAsDecoration(Image4);

    Label7 = MakeLabel(c, {560, 40, 29, 29}, "s=", UiFont(24, true), Cream, LabelSize::Auto);
    Label6 = MakeLabel(c, {400, 40, 28, 29}, "v=", UiFont(24, true), Cream, LabelSize::Auto);
    Label5 = MakeLabel(c, {232, 40, 23, 29}, "t=", UiFont(24, true), Cream, LabelSize::Auto);
    Label1 = MakeLabel(c, {232, 297, 23, 29}, "t=", UiFont(24, true), Cream, LabelSize::Auto);
    Label2 = MakeLabel(c, {400, 297, 28, 29}, "v=", UiFont(24, true), Cream, LabelSize::Auto);
    Label4 = MakeLabel(c, {560, 297, 29, 29}, "s=", UiFont(24, true), Cream, LabelSize::Auto);
    Bevel3 = MakeBevel(c, {868, 29, 54, 307});
    Bevel1 = MakeBevel(c, {0, 0, 920, 30});
    Bevel4 = MakeBevel(c, {0, 30, 157, 306});
    Bevel2 = MakeBevel(c, {0, 335, 920, 1});
    Label3 = MakeLabel(c, {0, 3, 920, 24}, "Движение во времени", UiFont(19, true), White, LabelSize::Fixed,
                       Qt::AlignHCenter);
    Label8 = MakeLabel(c, {249, 342, 324, 16}, "Скачать эту и другие программы на сайте: ", UiFont(13, true), Silver,
                       LabelSize::Auto);
    Label9 = MakeLabel(c, {576, 342, 94, 16}, WebSiteDomain, UiFont(13, true, true), Link, LabelSize::Auto);
    Label9->setCursor(Qt::PointingHandCursor);
    MarkAsLink(Label9); // reached by a screen reader's action; it stays out of the Tab order

    ComboBox1 = MakeObjectList(c, {6, 114, 145, 28}, false, "Автомобиль");
    ComboBox2 = MakeObjectList(c, {6, 224, 145, 28}, true, "Пусто");
    Edit2 = MakeEdit(c, {432, 40, 121, 28});
    Edit3 = MakeEdit(c, {592, 40, 121, 28});
    Edit1 = MakeEdit(c, {264, 40, 121, 28});
    Panel6 = MakeLane(c, {163, 76, 700, 104});
    Image1 = MakeLaneImage(Panel6, {1, 2, 145, 100}, true, true);
    Panel7 = MakeLane(c, {163, 186, 700, 105});
    Image2 = MakeLaneImage(Panel7, {1, 3, 145, 100}, true, false);
    Image3 = MakeLaneImage(Panel7, {553, 3, 145, 100}, false, false);
    Edit4 = MakeEdit(c, {264, 297, 121, 28});
    Edit5 = MakeEdit(c, {432, 297, 121, 28});
    Edit6 = MakeEdit(c, {592, 297, 121, 28});

    CheckBox1 = new TCheckBox(c);
    CheckBox1->setGeometry(871, 231, 46, 17);
    CheckBox1->setText(QStringLiteral("<="));
    CheckBox1->setFont(UiFont(19, true));
    CheckBox1->setCursor(Qt::PointingHandCursor);
    CheckBox1->setAutoFillBackground(true);
    {
        QPalette p = CheckBox1->palette();
        // A button fills its background with the button colour, not the window colour.
        p.setColor(QPalette::Button, QColor(0x00, 0x96, 0xE2));
        p.setColor(QPalette::Window, QColor(0x00, 0x96, 0xE2));
        p.setColor(QPalette::WindowText, QColor(0xFF, 0xFF, 0x00));
        CheckBox1->setPalette(p);
    }

    xpButton1 = new TxpButton(c);
    xpButton1->setGeometry(33, 280, 91, 29);
    xpButton1->SetCaption("Старт");
    xpButton1->SetFont(UiFont(16, true), Teal);
    xpButton1->setCursor(Qt::PointingHandCursor);

    xpCheckBox1 = MakeLanguageBox(c, {10, 342, 41, 17}, "RU", true, false);
    xpCheckBox2 = MakeLanguageBox(c, {871, 342, 41, 17}, "EN", false, true);

    // Keyboard order: the lists, the upper fields (v, s, t), the lower fields, then the buttons.
    QWidget* order[] = {ComboBox1, ComboBox2, Edit2, Edit3, Edit1, Edit4, Edit5, Edit6,
                        CheckBox1, xpButton1, xpCheckBox1, xpCheckBox2};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);

    WriteAccessibleNames(LanguageTable(Language::Russian));

    Timer1 = new TTimer(this);
    Timer1->SetInterval(100);
    Timer1->SetEnabled(false);
    Timer2 = new TTimer(this);
    Timer2->SetInterval(100);
    Timer2->SetEnabled(true);
}
