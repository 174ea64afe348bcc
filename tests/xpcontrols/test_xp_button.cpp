#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/xpcontrols/XpFixture.h"
#include "toolkit/Application.h"
#include "xpcontrols/XpButton.h"

using namespace driving;

namespace {

constexpr std::uint32_t Teal = 0x008080;

// Counts paints, to tell "repainted at once" from "invalidated".
class CountingButton : public TxpButton {
public:
    using TxpButton::TxpButton;
    int paints = 0;

protected:
    void Paint() override
    {
        ++paints;
        TxpButton::Paint();
    }
};

class XpButton : public XpFormTest {
protected:
    void SetUp() override
    {
        XpFormTest::SetUp();
        button = new CountingButton(&form);
        button->setGeometry(33, 80, 91, 29);
        button->SetCaption("Старт");
        button->SetFont(LayoutFont(16, true), QColor::fromRgb(Teal));
        button->OnClick = [this](QObject* sender) {
            EXPECT_EQ(sender, button);
            ++clicks;
        };
        ShowForm();
        button->paints = 0;
    }

    CountingButton* button = nullptr;
    int clicks = 0;
};

} // namespace

TEST(XpButtonCreate, HasItsDefaults)
{
    TxpButton button(nullptr);
    EXPECT_EQ(button.width(), 75);
    EXPECT_EQ(button.height(), 25);
    EXPECT_EQ(button.Caption(), "XP Button");
    EXPECT_TRUE(button.Enabled());
    EXPECT_TRUE(button.TabStop());
    EXPECT_FALSE(button.Cancel());
    EXPECT_FALSE(button.Default());
    EXPECT_EQ(button.ModalResult(), 0);
    EXPECT_FALSE(button.Hot() || button.Pressed() || button.ShowsFocus());
    EXPECT_EQ(button.Font(), TFont());
}

TEST(XpButtonCreate, LayoutCarriesTabStopButNotTheDefaults)
{
    TxpButton button(nullptr);
    std::vector<std::string> names;
    for (const TPublishedProperty& property : button.PublishedProperties())
        names.push_back(property.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"Caption", "Font", "Enabled", "ParentFont", "Hint", "ShowHint",
                                               "TabOrder", "TabStop", "Cancel", "Default", "ModalResult", "OnClick",
                                               "OnEnter", "OnExit", "OnKeyDown", "OnKeyUp"}));
    const std::vector<std::string> lines = LayoutLines(button.PublishedProperties());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "TabStop = True"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Caption = 'XP Button'"), lines.end());
    for (const std::string& line : lines) {
        EXPECT_NE(line.rfind("Enabled", 0), 0u) << line;
        EXPECT_NE(line.rfind("ModalResult", 0), 0u) << line;
        EXPECT_NE(line.rfind("OnClick", 0), 0u) << line;
    }
    button.SetModalResult(mrOk);
    const std::vector<std::string> withResult = LayoutLines(button.PublishedProperties());
    EXPECT_NE(std::find(withResult.begin(), withResult.end(), "ModalResult = 1"), withResult.end());
}

// ---- looks at the program's size: 91 x 29, "Старт" bold 16 teal ----

TEST_F(XpButton, NormalLookFrameAndFace)
{
    const QImage image = Render(*button);
    // Corners keep the form's colour; the outer ring is grey.
    EXPECT_EQ(Rgb(image, 0, 0), FormColour);
    EXPECT_EQ(Rgb(image, 90, 0), FormColour);
    EXPECT_EQ(Rgb(image, 0, 28), FormColour);
    EXPECT_EQ(Rgb(image, 90, 28), FormColour);
    EXPECT_EQ(Rgb(image, 1, 0), 0xD6D3D3u);
    EXPECT_EQ(Rgb(image, 0, 1), 0xD6D3D3u);
    // The dark frame steps diagonally at its corners; the ring fills behind the step.
    EXPECT_EQ(Rgb(image, 1, 1), 0xD6D3D3u);
    EXPECT_EQ(Rgb(image, 2, 2), 0x003C74u);
    EXPECT_EQ(Rgb(image, 88, 26), 0x003C74u);
    EXPECT_EQ(Rgb(image, 3, 1), 0x003C74u);
    EXPECT_EQ(Rgb(image, 1, 3), 0x003C74u);
    EXPECT_EQ(Rgb(image, 89, 25), 0x003C74u);
    // Shine, shade, inner frame and white edges.
    EXPECT_EQ(Rgb(image, 3, 2), 0xCEE7FFu);
    EXPECT_EQ(Rgb(image, 87, 2), 0xCEE7FFu);
    EXPECT_EQ(Rgb(image, 3, 26), 0x6982EEu);
    EXPECT_EQ(Rgb(image, 2, 3), 0xBCD4F6u);
    EXPECT_EQ(Rgb(image, 88, 25), 0xBCD4F6u);
    EXPECT_EQ(Rgb(image, 3, 4), 0xFFFFFFu);
    EXPECT_EQ(Rgb(image, 87, 24), 0xFFFFFFu);
    EXPECT_EQ(Rgb(image, 3, 28), 0xFFFFFFu);
    EXPECT_EQ(Rgb(image, 87, 28), 0xFFFFFFu);
    EXPECT_EQ(Rgb(image, 88, 28), 0xD6D3D3u);
    EXPECT_EQ(Rgb(image, 90, 3), 0xFFFFFFu);
    EXPECT_EQ(Rgb(image, 90, 25), 0xFFFFFFu);
    EXPECT_EQ(Rgb(image, 90, 2), 0xD6D3D3u);
    // The face, left of the caption: the worked example's rows.
    const std::vector<std::uint32_t> face{0xFDFDFD, 0xFDFDFD, 0xF7F7F9, 0xF7F7F9, 0xF1F1F5, 0xF1F1F5, 0xEBEBF2,
                                          0xEBEBF2, 0xE5E4EE, 0xE5E4EE, 0xDFDEEA, 0xDFDEEA, 0xD9D8E6, 0xD9D8E6,
                                          0xD3D2E3, 0xD3D2E3, 0xCDCCDF, 0xCDCCDF, 0xCDCCDF, 0xCDCCDF, 0xCDCCDF};
    for (int y = 4; y < 25; ++y)
        EXPECT_EQ(Rgb(image, 6, y), face[static_cast<size_t>(y - 4)]) << "row " << y;
    // The caption is drawn in the font's colour, centred, inside the face.
    const QRect text = Bounds(image, Teal, image.rect());
    ASSERT_FALSE(text.isEmpty());
    EXPECT_GE(text.left(), 4);
    EXPECT_LE(text.right(), 86);
    EXPECT_LE(std::abs((text.left() - 4) - (86 - text.right())), 3);
}

TEST_F(XpButton, HotLookAddsAnOrangeRingInsideTheFrame)
{
    Hover(*button, true);
    const QImage image = Render(*button);
    EXPECT_TRUE(button->Hot());
    EXPECT_EQ(Rgb(image, 3, 3), 0xBCD4F6u); // the ring's corner pixel is left alone
    EXPECT_EQ(Rgb(image, 87, 25), 0xBCD4F6u);
    EXPECT_EQ(Rgb(image, 4, 3), 0xF8B330u);
    EXPECT_EQ(Rgb(image, 3, 4), 0xF8B330u);
    EXPECT_EQ(Rgb(image, 87, 24), 0xF8B330u);
    EXPECT_EQ(Rgb(image, 86, 25), 0xF8B330u);
    EXPECT_EQ(Rgb(image, 6, 4), 0xFDFDFDu); // the face is unchanged
}

TEST_F(XpButton, PressedUnderThePointerReversesTheFaceAndShiftsTheCaption)
{
    const QRect normalText = Bounds(Render(*button), Teal, QRect(0, 0, 91, 29));
    Hover(*button, true);
    Press(*button);
    const QImage image = Render(*button);
    // Column 7 misses the focus rectangle's dots, which the press brought.
    EXPECT_EQ(Rgb(image, 7, 4), 0xCDCCDFu);
    EXPECT_EQ(Rgb(image, 7, 5), 0xD1D0E1u);
    EXPECT_EQ(Rgb(image, 7, 17), 0xFDFDFDu);
    EXPECT_EQ(Rgb(image, 7, 24), 0xFDFDFDu);
    EXPECT_EQ(Bounds(image, Teal, QRect(0, 0, 91, 29)), normalText.translated(1, 1));
}

TEST_F(XpButton, PressedAwayFromThePointerKeepsTheNormalFaceButTheShift)
{
    const QRect normalText = Bounds(Render(*button), Teal, QRect(0, 0, 91, 29));
    KeyDown(*button, Qt::Key_Space, Qt::NoModifier, " ");
    ASSERT_TRUE(button->Pressed());
    const QImage image = Render(*button);
    EXPECT_EQ(Rgb(image, 6, 4), 0xFDFDFDu);
    EXPECT_EQ(Rgb(image, 6, 24), 0xCDCCDFu);
    EXPECT_EQ(Bounds(image, Teal, QRect(0, 0, 91, 29)), normalText.translated(1, 1));
}

TEST_F(XpButton, FocusedLookInvertsEveryOtherPixelAroundTheFace)
{
    const QImage before = Render(*button);
    button->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(button->ShowsFocus());
    const QImage image = Render(*button);
    EXPECT_EQ(Rgb(image, 4, 4), Rgb(before, 4, 4) ^ 0xFFFFFFu);
    EXPECT_EQ(Rgb(image, 5, 4), Rgb(before, 5, 4));
    EXPECT_EQ(Rgb(image, 6, 4), Rgb(before, 6, 4) ^ 0xFFFFFFu);
    EXPECT_EQ(Rgb(image, 86, 24), Rgb(before, 86, 24) ^ 0xFFFFFFu);
    EXPECT_EQ(Rgb(image, 4, 5), Rgb(before, 4, 5));
    EXPECT_EQ(Rgb(image, 10, 10), Rgb(before, 10, 10));
    EXPECT_EQ(Rgb(image, 3, 3), Rgb(before, 3, 3));
}

TEST_F(XpButton, DisabledLookIsFlatGreyWithoutHotPressedOrFocus)
{
    button->setFocus(Qt::TabFocusReason);
    Hover(*button, true);
    button->setEnabled(false);
    const QImage image = Render(*button);
    const std::uint32_t face = clBtnFace.Rgb();
    EXPECT_EQ(Rgb(image, 0, 0), face);
    EXPECT_EQ(Rgb(image, 90, 0), face);
    EXPECT_EQ(Rgb(image, 90, 28), face);
    EXPECT_EQ(Rgb(image, 0, 28), face);
    EXPECT_EQ(Rgb(image, 1, 0), 0xD6D3D3u);
    EXPECT_EQ(Rgb(image, 1, 1), 0xF1F1EDu);
    EXPECT_EQ(Rgb(image, 2, 2), 0xC4C3BFu);
    EXPECT_EQ(Rgb(image, 1, 10), 0xC4C3BFu);
    EXPECT_EQ(Rgb(image, 90, 10), 0xD6D3D3u);
    for (const QPoint p : {QPoint(4, 4), QPoint(3, 3), QPoint(6, 24), QPoint(3, 2), QPoint(88, 10)})
        EXPECT_EQ(Rgb(image, p.x(), p.y()), 0xF1F1EDu) << p.x() << "," << p.y();
    EXPECT_TRUE(Bounds(image, Teal, image.rect()).isEmpty());
    EXPECT_FALSE(Bounds(image, 0xA1A192, image.rect()).isEmpty());
}

TEST_F(XpButton, AcceleratorUnderlinesItsLetterInTheCaptionColour)
{
    button->SetCaption("Start");
    const QImage plain = Render(*button);
    button->SetCaption("&Start");
    const QImage marked = Render(*button);
    TCanvas measure;
    measure.Font() = button->Font();
    const int tw = measure.TextWidth("Start"), th = measure.TextExtent("Start").cy;
    const int x = (91 - tw) / 2, y = (29 - th) / 2 + th;
    const int sWidth = measure.TextWidth("S");
    for (int i = 0; i < sWidth; ++i)
        EXPECT_EQ(Rgb(marked, x + i, y), Teal) << "x " << x + i;
    EXPECT_EQ(Rgb(marked, x + sWidth, y), Rgb(plain, x + sWidth, y));
    EXPECT_EQ(Rgb(marked, x - 1, y), Rgb(plain, x - 1, y));
}

TEST_F(XpButton, TrailingAmpersandUnderlinesNothing)
{
    button->SetCaption("Go");
    const QImage plain = Render(*button);
    button->SetCaption("Go&");
    EXPECT_EQ(Render(*button), plain);
}

TEST_F(XpButton, DoubledAmpersandShowsOneAmpersandUnderlined)
{
    button->SetCaption("A&B");
    const QImage single = Render(*button);
    button->SetCaption("A&&B");
    const QImage doubled = Render(*button);
    // Same text, plus the underline below the ampersand.
    TCanvas measure;
    measure.Font() = button->Font();
    const int tw = measure.TextWidth("A&B"), th = measure.TextExtent("A&B").cy;
    const int from = (91 - tw) / 2 + measure.TextWidth("A"), to = (91 - tw) / 2 + measure.TextWidth("A&");
    const int y = (29 - th) / 2 + th;
    for (int x = from; x < to; ++x)
        EXPECT_EQ(Rgb(doubled, x, y), Teal);
    EXPECT_NE(Rgb(single, from, y), Teal);
}

TEST(XpButtonLook, NinePixelHighButtonFillsItsOneRowFaceWithTheEndColour)
{
    TxpButton button(nullptr);
    button.resize(40, 9);
    button.SetCaption("");
    const QImage image = Render(button);
    EXPECT_EQ(Rgb(image, 10, 4), 0xCDCCDFu);
}

// ---- repaint at once or invalidate ----

TEST_F(XpButton, CaptionWriteRepaintsAtOnceOnlyWhenChanged)
{
    button->SetCaption("Старт");
    EXPECT_EQ(button->paints, 0);
    button->SetCaption("старт");
    EXPECT_EQ(button->paints, 1);
}

TEST_F(XpButton, FontWriteCopiesTheFontAndRepaintsAtOnce)
{
    TFont font;
    font.SetHeight(20);
    button->SetFont(font);
    EXPECT_EQ(button->paints, 1);
    button->SetFont(font);
    EXPECT_EQ(button->paints, 2);
    font.SetHeight(30);
    EXPECT_EQ(button->Font().Height(), 20);
}

TEST_F(XpButton, HoverRepaintsAtOnce)
{
    Hover(*button, true);
    EXPECT_EQ(button->paints, 1);
    Hover(*button, true);
    EXPECT_EQ(button->paints, 1);
    Hover(*button, false);
    EXPECT_EQ(button->paints, 2);
    EXPECT_FALSE(button->Hot());
}

// ---- mouse ----

TEST_F(XpButton, ClickRaisesOnClickAfterTheReleasedLookIsPainted)
{
    Hover(*button, true);
    Press(*button);
    EXPECT_TRUE(button->Pressed());
    EXPECT_TRUE(button->hasFocus());
    EXPECT_EQ(button->paints, 2);
    int paintsSeen = -1;
    bool pressedSeen = true;
    button->OnClick = [&](QObject*) {
        ++clicks;
        paintsSeen = button->paints;
        pressedSeen = button->Pressed();
    };
    Release(*button);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(paintsSeen, 3);
    EXPECT_FALSE(pressedSeen);
}

TEST_F(XpButton, ReleaseOutsideIsNotSeenUntilTheNextReleaseOver)
{
    Press(*button);
    Release(*button, QPoint(200, 5));
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(button->Pressed());
    Press(*button); // held already: nothing
    EXPECT_TRUE(button->Pressed());
    Release(*button);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button->Pressed());
}

TEST_F(XpButton, PointerLeavingWhileHeldClearsHot)
{
    Hover(*button, true);
    Press(*button);
    // Qt holds back the leave while the button is down; the move tells.
    QMouseEvent drag(QEvent::MouseMove, QPointF(150, 5), QPointF(button->mapToGlobal(QPoint(150, 5))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(button, &drag);
    EXPECT_FALSE(button->Hot());
    EXPECT_TRUE(button->Pressed());
}

TEST_F(XpButton, DoubleClickRaisesTwoClicks)
{
    DoubleClick(*button);
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(button->Pressed());
}

TEST_F(XpButton, RightButtonDoesNothing)
{
    Mouse(*button, QEvent::MouseButtonPress, Qt::RightButton);
    Mouse(*button, QEvent::MouseButtonRelease, Qt::RightButton);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(button->contextMenuPolicy(), Qt::PreventContextMenu);
}

TEST_F(XpButton, DisabledButtonIgnoresTheMouse)
{
    button->setEnabled(false);
    Click(*button);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(button->Pressed());
}

TEST_F(XpButton, ErrorInOnClickGoesToTheApplicationAndLeavesTheButtonReleased)
{
    std::string reported;
    Application()->SetErrorHook([&](QObject*, const Exception& error) { reported = error.Message(); });
    button->OnClick = [](QObject*) { throw EConvertError("'x' is not a valid integer value"); };
    Click(*button);
    Application()->SetErrorHook(nullptr);
    EXPECT_EQ(reported, "'x' is not a valid integer value");
    EXPECT_FALSE(button->Pressed());
}

// ---- keyboard ----

TEST_F(XpButton, SpaceClicksOnRelease)
{
    button->setFocus(Qt::TabFocusReason);
    Flush();
    button->paints = 0;
    KeyDown(*button, Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_TRUE(button->Pressed());
    EXPECT_EQ(button->paints, 0); // invalidated only
    Key(*button, QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ", true);
    Key(*button, QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ", true);
    EXPECT_EQ(clicks, 0);
    KeyUp(*button, Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button->Pressed());
}

TEST_F(XpButton, EnterClicksOnReleaseAndAnyKeyReleaseCompletesTheClick)
{
    KeyDown(*button, Qt::Key_Return);
    EXPECT_TRUE(button->Pressed());
    KeyUp(*button, Qt::Key_A, Qt::NoModifier, "a");
    EXPECT_EQ(clicks, 1);
    KeyDown(*button, Qt::Key_A, Qt::NoModifier, "a");
    KeyUp(*button, Qt::Key_A, Qt::NoModifier, "a");
    EXPECT_EQ(clicks, 1);
}

TEST_F(XpButton, FocusedDefaultButtonClicksOnceOnEnter)
{
    button->SetDefault(true);
    KeyDown(*button, Qt::Key_Return);
    KeyUp(*button, Qt::Key_Return);
    EXPECT_EQ(clicks, 1);
}

TEST_F(XpButton, KeyEventsAreRaisedAfterTheButtonsOwnHandling)
{
    std::vector<std::uint16_t> downs, ups;
    button->OnKeyDown = [&](QObject* sender, std::uint16_t& key, TShiftState) {
        EXPECT_EQ(sender, button);
        EXPECT_TRUE(button->Pressed());
        downs.push_back(key);
    };
    button->OnKeyUp = [&](QObject*, std::uint16_t& key, TShiftState) { ups.push_back(key); };
    KeyDown(*button, Qt::Key_Space, Qt::NoModifier, " ");
    KeyUp(*button, Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_EQ(downs, std::vector<std::uint16_t>{32});
    EXPECT_EQ(ups, std::vector<std::uint16_t>{32});
}

// ---- the form's dialog keys and accelerators ----

TEST_F(XpButton, DefaultButtonClicksOnEnterFromAnotherControl)
{
    edit->setFocus();
    KeyDown(*edit, Qt::Key_Return);
    EXPECT_EQ(clicks, 0);
    button->SetDefault(true);
    KeyDown(*edit, Qt::Key_Return);
    EXPECT_EQ(clicks, 1);
    KeyDown(*edit, Qt::Key_Escape);
    EXPECT_EQ(clicks, 1);
    button->setEnabled(false);
    KeyDown(*edit, Qt::Key_Return);
    EXPECT_EQ(clicks, 1);
}

TEST_F(XpButton, CancelButtonClicksOnEscape)
{
    button->SetCancel(true);
    edit->setFocus();
    KeyDown(*edit, Qt::Key_Escape);
    EXPECT_EQ(clicks, 1);
    KeyDown(*edit, Qt::Key_Return);
    EXPECT_EQ(clicks, 1);
}

TEST_F(XpButton, AcceleratorClicksInEitherCaseWhereverTheFocusIs)
{
    button->SetCaption("&Start");
    edit->setFocus();
    KeyDown(*edit, Qt::Key_S, Qt::AltModifier, "s");
    EXPECT_EQ(clicks, 1);
    KeyDown(*edit, Qt::Key_S, Qt::AltModifier | Qt::ShiftModifier, "S");
    EXPECT_EQ(clicks, 2);
    KeyDown(*edit, Qt::Key_T, Qt::AltModifier, "t");
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(edit->text(), "");
    button->setEnabled(false);
    KeyDown(*edit, Qt::Key_S, Qt::AltModifier, "s");
    EXPECT_EQ(clicks, 2);
}

TEST_F(XpButton, OnlyTheUnderlinedCharacterIsTheAccelerator)
{
    button->SetCaption("A&&B");
    KeyDown(*edit, Qt::Key_B, Qt::AltModifier, "b");
    KeyDown(*edit, Qt::Key_Ampersand, Qt::AltModifier, "&");
    EXPECT_EQ(clicks, 0) << "a doubled mark is a literal ampersand";
    button->SetCaption("&Go&Stop"); // shows "Go&Stop" with the G underlined
    KeyDown(*edit, Qt::Key_S, Qt::AltModifier, "s");
    EXPECT_EQ(clicks, 0);
    KeyDown(*edit, Qt::Key_G, Qt::AltModifier, "g");
    EXPECT_EQ(clicks, 1);
}

// ---- modal result ----

TEST_F(XpButton, ClickHandsTheModalResultToTheFormAfterOnClick)
{
    int resultSeenByHandler = -1;
    button->OnClick = [&](QObject*) { resultSeenByHandler = form.ModalResult(); };
    button->SetModalResult(mrOk);
    button->Click();
    EXPECT_EQ(resultSeenByHandler, mrNone);
    EXPECT_EQ(form.ModalResult(), mrOk);
}

TEST_F(XpButton, ZeroModalResultLeavesTheFormAlone)
{
    form.SetModalResult(7);
    button->Click();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form.ModalResult(), 7);
}

TEST(XpButtonModal, OutsideAFormOnlyRaisesOnClick)
{
    QWidget window;
    TxpButton button(&window);
    int clicks = 0;
    button.OnClick = [&](QObject*) { ++clicks; };
    button.SetModalResult(mrOk);
    button.Click();
    EXPECT_EQ(clicks, 1);
}

// ---- enter and exit ----

TEST_F(XpButton, EnterAndExitFollowTheWindowsActiveControl)
{
    std::vector<std::string> events;
    button->OnEnter = [&](QObject*) { events.push_back("enter"); };
    button->OnExit = [&](QObject*) { events.push_back("exit"); };
    button->setFocus(Qt::TabFocusReason);
    edit->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "exit"}));
    EXPECT_FALSE(button->ShowsFocus());
}
