#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/xpcontrols/XpFixture.h"
#include "xpcontrols/XpCheckBox.h"

using namespace driving;

namespace {

constexpr std::uint32_t BoxColour = 0x0078B4;
constexpr std::uint32_t White = 0xFFFFFF;

class CountingCheckBox : public TxpCheckBox {
public:
    using TxpCheckBox::TxpCheckBox;
    int paints = 0;

protected:
    void Paint() override
    {
        ++paints;
        TxpCheckBox::Paint();
    }
};

// The language box at the program's size: 41 x 17, bold 11 white on #0078B4.
class XpCheckBox : public XpFormTest {
protected:
    void SetUp() override
    {
        XpFormTest::SetUp();
        box = new CountingCheckBox(&form);
        box->setGeometry(10, 142, 41, 17);
        box->SetFont(LayoutFont(11, true), QColor::fromRgb(White));
        box->SetColor(TColor::FromHex(BoxColour));
        box->SetCaption("RU");
        box->OnClick = [this](QObject* sender) {
            EXPECT_EQ(sender, box);
            checkedSeen.push_back(box->Checked());
        };
        ShowForm();
        box->paints = 0;
    }

    int Clicks() const { return static_cast<int>(checkedSeen.size()); }

    CountingCheckBox* box = nullptr;
    std::vector<bool> checkedSeen;
};

} // namespace

TEST(XpCheckBoxCreate, HasItsDefaults)
{
    TxpCheckBox box(nullptr);
    EXPECT_EQ(box.width(), 97);
    EXPECT_EQ(box.height(), 17);
    EXPECT_EQ(box.Caption(), "XP Checkbox");
    EXPECT_FALSE(box.Checked());
    EXPECT_TRUE(box.Enabled());
    EXPECT_TRUE(box.TabStop());
    EXPECT_EQ(box.Alignment(), TCheckBoxAlignment::cbaRight);
    EXPECT_EQ(box.Color(), clBtnFace);
    EXPECT_FALSE(box.Hot() || box.Pressed() || box.ShowsFocus());
}

TEST(XpCheckBoxCreate, LayoutAlwaysCarriesColourAlignmentAndTabStop)
{
    TxpCheckBox box(nullptr);
    std::vector<std::string> names;
    for (const TPublishedProperty& property : box.PublishedProperties())
        names.push_back(property.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"Caption", "Font", "Enabled", "ParentFont", "Hint", "ShowHint",
                                               "TabOrder", "TabStop", "Color", "Checked", "Alignment", "OnClick",
                                               "OnEnter", "OnExit"}));
    const std::vector<std::string> lines = LayoutLines(box.PublishedProperties());
    for (const char* line : {"Color = clBtnFace", "Alignment = cbaRight", "TabStop = True"})
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
    for (const std::string& line : lines)
        EXPECT_NE(line.rfind("Checked", 0), 0u) << line;
    box.SetChecked(true);
    const std::vector<std::string> checked = LayoutLines(box.PublishedProperties());
    EXPECT_NE(std::find(checked.begin(), checked.end(), "Checked = True"), checked.end());
}

// ---- looks ----

TEST_F(XpCheckBox, NormalLookBoxFrameBandsAndCaption)
{
    const QImage image = Render(*box);
    EXPECT_EQ(Rgb(image, 0, 0), BoxColour);
    EXPECT_EQ(Rgb(image, 0, 8), BoxColour);
    EXPECT_EQ(Rgb(image, 15, 8), BoxColour);
    EXPECT_EQ(Rgb(image, 7, 0), BoxColour);
    EXPECT_EQ(Rgb(image, 7, 15), BoxColour);
    // The frame on rows 1 to 14, columns 1 to 14; its corners are square.
    for (const QPoint p : {QPoint(1, 1), QPoint(14, 1), QPoint(1, 14), QPoint(14, 14), QPoint(7, 1), QPoint(1, 7)})
        EXPECT_EQ(Rgb(image, p.x(), p.y()), 0x1C5180u) << p.x() << "," << p.y();
    // The face's bands below the frame's top row; the last rows are white.
    const std::vector<std::uint32_t> bands{0xE0E0DB, 0xE4E4E0, 0xE8E8E4, 0xECECE9, 0xEFEFED,
                                           0xF3F3F2, 0xF7F7F6, 0xFBFBFB, 0xFFFFFF, 0xFFFFFF,
                                           0xFFFFFF, 0xFFFFFF};
    for (int y = 2; y < 14; ++y)
        EXPECT_EQ(Rgb(image, 7, y), bands[static_cast<size_t>(y - 2)]) << "row " << y;
    // The caption in white from x = 20.
    const QRect text = Bounds(image, White, QRect(15, 0, 26, 17));
    ASSERT_FALSE(text.isEmpty());
    EXPECT_GE(text.left(), 20);
    EXPECT_LE(text.right(), 38);
    EXPECT_GE(text.top(), 2);
}

TEST_F(XpCheckBox, CheckMarkRunsThroughItsThreePoints)
{
    box->SetChecked(true);
    const QImage image = Render(*box);
    for (const QPoint p : {QPoint(4, 7), QPoint(5, 8), QPoint(6, 10), QPoint(8, 7), QPoint(10, 5)})
        EXPECT_EQ(Rgb(image, p.x(), p.y()), 0x00A000u) << p.x() << "," << p.y();
    // Three pixels wide, not more.
    EXPECT_NE(Rgb(image, 6, 12), 0x00A000u);
    EXPECT_NE(Rgb(image, 3, 3), 0x00A000u);
    EXPECT_NE(Rgb(image, 12, 10), 0x00A000u);
}

TEST_F(XpCheckBox, HotLookLeavesAGradientRingInsideTheFrame)
{
    Flush();
    Hover(*box, true);
    const QImage image = Render(*box);
    EXPECT_TRUE(box->Hot());
    // One pixel on the left and top, two on the right and bottom.
    EXPECT_EQ(Rgb(image, 2, 2), 0xFEE9BDu); // band 1 of #FFF0CF to #F8B330
    EXPECT_EQ(Rgb(image, 7, 2), 0xFEE9BDu);
    EXPECT_EQ(Rgb(image, 2, 7), Rgb(image, 12, 7));
    EXPECT_EQ(Rgb(image, 13, 7), Rgb(image, 12, 7));
    EXPECT_EQ(Rgb(image, 7, 12), 0xF8B330u);
    EXPECT_EQ(Rgb(image, 7, 13), 0xF8B330u);
    EXPECT_EQ(Rgb(image, 3, 3), BoxColour);
    EXPECT_EQ(Rgb(image, 11, 11), BoxColour);
}

TEST_F(XpCheckBox, PressedLookDarkensTheBox)
{
    Hover(*box, true);
    Press(*box);
    EXPECT_TRUE(box->Pressed());
    const QImage image = Render(*box);
    EXPECT_EQ(Rgb(image, 7, 2), 0xB7B7ADu); // band 1 of #B0B0A7 to #F1EFDF
    EXPECT_EQ(Rgb(image, 7, 13), 0xF1EFDFu);
    EXPECT_EQ(Rgb(image, 3, 3), Rgb(image, 11, 3)); // no ring
}

TEST_F(XpCheckBox, FocusRectangleSurroundsTheCaption)
{
    const QImage before = Render(*box);
    box->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(box->ShowsFocus());
    const QImage image = Render(*box);
    EXPECT_EQ(Rgb(image, 17, 1), BoxColour ^ 0xFFFFFFu);
    EXPECT_EQ(Rgb(image, 18, 1), BoxColour);
    EXPECT_EQ(Rgb(image, 17, 15), BoxColour ^ 0xFFFFFFu);
    EXPECT_EQ(Rgb(image, 17, 2), BoxColour);
    EXPECT_EQ(Rgb(image, 7, 7), Rgb(before, 7, 7));
}

TEST_F(XpCheckBox, DisabledCheckedLook)
{
    box->SetChecked(true);
    box->setFocus(Qt::TabFocusReason);
    Hover(*box, true);
    box->setEnabled(false);
    const QImage image = Render(*box);
    EXPECT_EQ(Rgb(image, 1, 1), 0x808080u);
    EXPECT_EQ(Rgb(image, 14, 8), 0x808080u);
    EXPECT_EQ(Rgb(image, 3, 3), 0xFFFFFFu); // no ring, no gradient
    EXPECT_EQ(Rgb(image, 7, 12), 0xFFFFFFu);
    EXPECT_EQ(Rgb(image, 6, 10), 0xC0C0C0u);
    EXPECT_EQ(Rgb(image, 17, 1), BoxColour); // no focus rectangle
    EXPECT_TRUE(Bounds(image, White, QRect(15, 0, 26, 17)).isEmpty());
    EXPECT_FALSE(Bounds(image, 0x808080, QRect(15, 0, 26, 17)).isEmpty());
}

TEST_F(XpCheckBox, BoxAtTheRightWithTheCaptionLeft)
{
    box->SetAlignment(TCheckBoxAlignment::cbaLeft);
    const QImage image = Render(*box);
    EXPECT_EQ(Rgb(image, 26, 1), 0x1C5180u);
    EXPECT_EQ(Rgb(image, 39, 14), 0x1C5180u);
    EXPECT_EQ(Rgb(image, 25, 8), BoxColour);
    EXPECT_EQ(Rgb(image, 40, 8), BoxColour);
    EXPECT_EQ(Rgb(image, 1, 1), BoxColour);
    const QRect text = Bounds(image, White, QRect(0, 0, 26, 17));
    ASSERT_FALSE(text.isEmpty());
    EXPECT_GE(text.left(), 2);
    EXPECT_LE(text.right(), 20); // clipped at W - 20
}

TEST_F(XpCheckBox, AcceleratorUnderlineSitsBelowTheTextCell)
{
    box->SetCaption("&EN");
    TCanvas measure;
    measure.Font() = box->Font();
    const int th = measure.TextExtent("EN").cy;
    for (const int height : {17, 40}) {
        box->resize(41, height);
        const QImage image = Render(*box);
        const int y = (height - th) / 2 + th;
        for (int x = 20; x < 20 + measure.TextWidth("E"); ++x)
            EXPECT_EQ(Rgb(image, x, y), White) << x << " in a box " << height << " high";
        EXPECT_NE(Rgb(image, 20 + measure.TextWidth("E") + 1, y), White) << height;
    }
}

// ---- repaint at once or invalidate ----

TEST_F(XpCheckBox, CheckedWriteRepaintsAtOnceAndRaisesNothing)
{
    box->SetChecked(false);
    EXPECT_EQ(box->paints, 0);
    box->SetChecked(true);
    EXPECT_EQ(box->paints, 1);
    EXPECT_EQ(Clicks(), 0);
}

TEST_F(XpCheckBox, CaptionAndAlignmentRepaintAtOnceColourInvalidates)
{
    box->SetCaption("RU");
    box->SetAlignment(TCheckBoxAlignment::cbaRight);
    EXPECT_EQ(box->paints, 0);
    box->SetCaption("EN");
    EXPECT_EQ(box->paints, 1);
    box->SetAlignment(TCheckBoxAlignment::cbaLeft);
    EXPECT_EQ(box->paints, 2);
    box->SetColor(TColor::FromHex(0x102030));
    EXPECT_EQ(box->paints, 2);
    Flush();
    EXPECT_EQ(box->paints, 3);
}

// ---- mouse ----

TEST_F(XpCheckBox, ClickTogglesAndTheHandlerSeesTheNewValueBeforeThePaint)
{
    int paintsSeen = -1;
    box->OnClick = [&](QObject*) {
        checkedSeen.push_back(box->Checked());
        paintsSeen = box->paints;
    };
    Press(*box);
    EXPECT_TRUE(box->hasFocus());
    Release(*box);
    EXPECT_EQ(checkedSeen, std::vector<bool>{true});
    EXPECT_EQ(paintsSeen, 0);
    Flush();
    EXPECT_GE(box->paints, 1);
}

TEST_F(XpCheckBox, DoubleClickTogglesTwice)
{
    DoubleClick(*box);
    EXPECT_EQ(checkedSeen, (std::vector<bool>{true, false}));
    EXPECT_FALSE(box->Checked());
}

TEST_F(XpCheckBox, DoubleClickAfterTheHandlerDisabledTheBoxTogglesOnce)
{
    box->OnClick = [&](QObject*) {
        checkedSeen.push_back(box->Checked());
        box->setEnabled(false);
    };
    DoubleClick(*box);
    EXPECT_EQ(checkedSeen, std::vector<bool>{true});
    EXPECT_TRUE(box->Checked());
}

TEST_F(XpCheckBox, ReleaseOutsideLeavesItHeldUntilAKeyRelease)
{
    box->setFocus(Qt::TabFocusReason);
    Press(*box);
    Release(*box, QPoint(100, 100));
    EXPECT_EQ(Clicks(), 0);
    EXPECT_TRUE(box->Pressed());
    KeyUp(*box, Qt::Key_A, Qt::NoModifier, "a");
    EXPECT_EQ(checkedSeen, std::vector<bool>{true});
    EXPECT_FALSE(box->Pressed());
}

TEST_F(XpCheckBox, DisabledBoxIgnoresClicks)
{
    box->setEnabled(false);
    Click(*box);
    DoubleClick(*box);
    EXPECT_EQ(Clicks(), 0);
    EXPECT_FALSE(box->Checked());
}

TEST_F(XpCheckBox, HoverInvalidatesOnly)
{
    Hover(*box, true);
    EXPECT_TRUE(box->Hot());
    EXPECT_EQ(box->paints, 0);
    Flush();
    EXPECT_EQ(box->paints, 1);
}

// ---- keyboard ----

TEST_F(XpCheckBox, SpaceTogglesOnReleaseAndHoldingItRepeatsNothing)
{
    box->setFocus(Qt::TabFocusReason);
    KeyDown(*box, Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_TRUE(box->Pressed());
    for (int i = 0; i < 3; ++i) {
        Key(*box, QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ", true);
        Key(*box, QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ", true);
    }
    EXPECT_EQ(Clicks(), 0);
    KeyUp(*box, Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_EQ(checkedSeen, std::vector<bool>{true});
}

TEST_F(XpCheckBox, EnterDoesNothing)
{
    box->setFocus(Qt::TabFocusReason);
    KeyDown(*box, Qt::Key_Return);
    KeyUp(*box, Qt::Key_Return);
    EXPECT_EQ(Clicks(), 0);
    EXPECT_FALSE(box->Pressed());
}

TEST_F(XpCheckBox, KeyReleasesStopAtTheBox)
{
    EXPECT_TRUE(Key(*box, QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, "a"));
    EXPECT_FALSE(Key(*box, QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
}

TEST_F(XpCheckBox, AcceleratorTakesTheFocusAndToggles)
{
    box->SetCaption("&EN");
    edit->setFocus();
    KeyDown(*edit, Qt::Key_E, Qt::AltModifier, "e");
    EXPECT_EQ(checkedSeen, std::vector<bool>{true});
    EXPECT_TRUE(box->hasFocus());
    box->setEnabled(false);
    KeyDown(*edit, Qt::Key_E, Qt::AltModifier, "e");
    EXPECT_EQ(Clicks(), 1);
}

TEST_F(XpCheckBox, EnterAndExitAreRaised)
{
    std::vector<std::string> events;
    box->OnEnter = [&](QObject*) { events.push_back("enter"); };
    box->OnExit = [&](QObject*) { events.push_back("exit"); };
    box->setFocus(Qt::TabFocusReason);
    edit->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "exit"}));
}
