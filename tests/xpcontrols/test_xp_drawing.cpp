#include <gtest/gtest.h>

#include <QImage>
#include <climits>
#include <vector>

#include "xpcontrols/XpDrawing.h"

namespace {

constexpr std::uint32_t Background = 0x123456;

QImage Blank(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor::fromRgb(Background));
    return image;
}

std::uint32_t At(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFFu;
}

// The colour of each row in one column.
std::vector<std::uint32_t> Column(const QImage& image, int x, int fromY, int toY)
{
    std::vector<std::uint32_t> colours;
    for (int y = fromY; y < toY; ++y)
        colours.push_back(At(image, x, y));
    return colours;
}

std::vector<std::uint32_t> Repeat(std::initializer_list<std::pair<std::uint32_t, int>> runs)
{
    std::vector<std::uint32_t> colours;
    for (const auto& [colour, count] : runs)
        colours.insert(colours.end(), static_cast<size_t>(count), colour);
    return colours;
}

void Fill(QImage& image, TRect rect, std::uint32_t c1, std::uint32_t c2, TGradientDirection direction, int steps)
{
    TCanvas canvas(image);
    FillGradient(canvas, rect, TColor::FromHex(c1), TColor::FromHex(c2), direction, static_cast<std::uint8_t>(steps));
}

// Every pixel outside rect still shows the background.
bool UntouchedOutside(const QImage& image, TRect rect)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const bool inside = x >= rect.Left && x < rect.Right && y >= rect.Top && y < rect.Bottom;
            if (!inside && At(image, x, y) != Background)
                return false;
        }
    return true;
}

} // namespace

TEST(IntMaxMin, PickTheLargerAndTheSmaller)
{
    EXPECT_EQ(IntMax(-3, 2), 2);
    EXPECT_EQ(IntMax(INT_MIN, INT_MAX), INT_MAX);
    EXPECT_EQ(IntMin(-3, 2), -3);
    EXPECT_EQ(IntMin(INT_MIN, INT_MAX), INT_MIN);
}

TEST(RectSize, IsNotNormalised)
{
    EXPECT_EQ(RectWidth(TRect{10, 0, 4, 0}), -6);
    EXPECT_EQ(RectHeight(TRect{0, 7, 0, 7}), 0);
    EXPECT_EQ(RectWidth(TRect{4, 4, 87, 25}), 83);
    EXPECT_EQ(RectHeight(TRect{4, 4, 87, 25}), 21);
}

TEST(FillGradient, EmptyOrInvertedRectDrawsNothingAndKeepsThePen)
{
    QImage image = Blank(10, 10);
    TCanvas canvas(image);
    canvas.Pen().Style = TPenStyle::psClear;
    canvas.Pen().Mode = TPenMode::pmNot;
    for (const TRect rect : {TRect{2, 2, 2, 8}, TRect{2, 2, 8, 2}, TRect{8, 8, 2, 2}})
        FillGradient(canvas, rect, clBlack, clWhite, TGradientDirection::gdTopToBottom, 9);
    EXPECT_EQ(canvas.Pen().Style, TPenStyle::psClear);
    EXPECT_EQ(canvas.Pen().Mode, TPenMode::pmNot);
    EXPECT_TRUE(UntouchedOutside(image, TRect{}));
}

TEST(FillGradient, FewerThanTwoStepsFillWithColor1InEveryDirection)
{
    for (const auto direction : {TGradientDirection::gdTopToBottom, TGradientDirection::gdBottomToTop,
                                 TGradientDirection::gdLeftToRight, TGradientDirection::gdRightToLeft}) {
        for (const int steps : {0, 1}) {
            QImage image = Blank(12, 12);
            Fill(image, TRect{1, 2, 11, 10}, 0xFDFDFD, 0xCDCCDF, direction, steps);
            EXPECT_EQ(Column(image, 1, 2, 10), Repeat({{0xFDFDFD, 8}}));
            EXPECT_EQ(Column(image, 10, 2, 10), Repeat({{0xFDFDFD, 8}}));
            EXPECT_TRUE(UntouchedOutside(image, TRect{1, 2, 11, 10}));
        }
    }
}

TEST(FillGradient, StepCountOf256ArrivesAsZeroAndFillsSolid)
{
    QImage image = Blank(6, 10);
    Fill(image, TRect{0, 0, 6, 10}, 0x000000, 0xFFFFFF, TGradientDirection::gdTopToBottom, 256);
    EXPECT_EQ(Column(image, 3, 0, 10), Repeat({{0x000000, 10}}));
}

TEST(FillGradient, ButtonFaceWorkedExample)
{
    // The start button's face at 91 x 29: 21 rows, 9 steps, two rows a band, three left over.
    QImage image = Blank(91, 29);
    Fill(image, TRect{4, 4, 87, 25}, 0xFDFDFD, 0xCDCCDF, TGradientDirection::gdTopToBottom, 29 / 3);
    const auto expected = Repeat({{0xFDFDFD, 2},
                                  {0xF7F7F9, 2},
                                  {0xF1F1F5, 2},
                                  {0xEBEBF2, 2},
                                  {0xE5E4EE, 2},
                                  {0xDFDEEA, 2},
                                  {0xD9D8E6, 2},
                                  {0xD3D2E3, 2},
                                  {0xCDCCDF, 2},
                                  {0xCDCCDF, 3}});
    EXPECT_EQ(Column(image, 4, 4, 25), expected);
    EXPECT_EQ(Column(image, 86, 4, 25), expected);
    EXPECT_TRUE(UntouchedOutside(image, TRect{4, 4, 87, 25}));
}

TEST(FillGradient, PressedButtonFaceRunsBottomToTop)
{
    QImage image = Blank(91, 29);
    Fill(image, TRect{4, 4, 87, 25}, 0xFDFDFD, 0xCDCCDF, TGradientDirection::gdBottomToTop, 29 / 2);
    const std::vector<std::uint32_t> rows = Column(image, 40, 4, 25);
    ASSERT_EQ(rows.size(), 21u);
    EXPECT_EQ(rows[0], 0xCDCCDFu);
    EXPECT_EQ(rows[1], 0xD1D0E1u); // 205 + 48/13, 204 + 49/13, 223 + 30/13, rounded
    for (size_t i = 1; i < 14; ++i)
        EXPECT_GT(rows[i] & 0xFF, rows[i - 1] & 0xFF) << "band " << i;
    EXPECT_EQ(rows[13], 0xFDFDFDu);
    for (size_t i = 14; i < 21; ++i)
        EXPECT_EQ(rows[i], 0xFDFDFDu) << "remainder row " << i;
}

TEST(FillGradient, CheckBoxFaceHasTenOnePixelBandsAndFourRowsOfColor2)
{
    QImage image = Blank(14, 14);
    Fill(image, TRect{0, 0, 14, 14}, 0xDCDCD7, 0xFFFFFF, TGradientDirection::gdTopToBottom, 10);
    EXPECT_EQ(Column(image, 7, 0, 14), (std::vector<std::uint32_t>{0xDCDCD7, 0xE0E0DB, 0xE4E4E0, 0xE8E8E4, 0xECECE9,
                                                                    0xEFEFED, 0xF3F3F2, 0xF7F7F6, 0xFBFBFB, 0xFFFFFF,
                                                                    0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}));
}

TEST(FillGradient, OnePixelHighRectGetsTheEndColour)
{
    QImage image = Blank(10, 3);
    Fill(image, TRect{0, 1, 10, 2}, 0xFDFDFD, 0xCDCCDF, TGradientDirection::gdTopToBottom, 9);
    EXPECT_EQ(At(image, 0, 1), 0xCDCCDFu);
    EXPECT_EQ(At(image, 9, 1), 0xCDCCDFu);
    QImage reversed = Blank(10, 3);
    Fill(reversed, TRect{0, 1, 10, 2}, 0xFDFDFD, 0xCDCCDF, TGradientDirection::gdBottomToTop, 9);
    EXPECT_EQ(At(reversed, 5, 1), 0xFDFDFDu);
    EXPECT_TRUE(UntouchedOutside(image, TRect{0, 1, 10, 2}));
}

TEST(FillGradient, MoreStepsThanPixelsGiveOneBandPerPixel)
{
    QImage image = Blank(5, 2);
    Fill(image, TRect{0, 0, 5, 2}, 0x000000, 0x0000FF, TGradientDirection::gdLeftToRight, 200);
    // N = 5: 0, 64, 128, 191, 255 (255 * i / 4, halves away from zero).
    std::vector<std::uint32_t> row;
    for (int x = 0; x < 5; ++x)
        row.push_back(At(image, x, 1));
    EXPECT_EQ(row, (std::vector<std::uint32_t>{0x00, 0x40, 0x80, 0xBF, 0xFF}));
}

TEST(FillGradient, RightToLeftStartsWithColor2AndPutsTheRemainderAtTheRight)
{
    QImage image = Blank(7, 1);
    Fill(image, TRect{0, 0, 7, 1}, 0xFF0000, 0x0000FF, TGradientDirection::gdRightToLeft, 2);
    std::vector<std::uint32_t> row;
    for (int x = 0; x < 7; ++x)
        row.push_back(At(image, x, 0));
    // Two bands of 3, then 1 pixel of the end colour (Color1).
    EXPECT_EQ(row, (std::vector<std::uint32_t>{0x0000FF, 0x0000FF, 0x0000FF, 0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000}));
}

TEST(FillGradient, LeavesThePenSolidInCopyModeAndTheBrushAlone)
{
    QImage image = Blank(4, 4);
    TCanvas canvas(image);
    canvas.Pen().Style = TPenStyle::psClear;
    canvas.Pen().Mode = TPenMode::pmNot;
    canvas.Brush() = TBrush{TColor::FromHex(0x010203), TBrushStyle::bsClear};
    FillGradient(canvas, TRect{0, 0, 4, 4}, clBlack, clWhite, TGradientDirection::gdTopToBottom, 4);
    EXPECT_EQ(canvas.Pen().Style, TPenStyle::psSolid);
    EXPECT_EQ(canvas.Pen().Mode, TPenMode::pmCopy);
    EXPECT_EQ(canvas.Brush().Color, TColor::FromHex(0x010203));
    EXPECT_EQ(canvas.Brush().Style, TBrushStyle::bsClear);
}

TEST(FillGradient, ResolvesSystemColours)
{
    QImage image = Blank(4, 4);
    TCanvas canvas(image);
    FillGradient(canvas, TRect{0, 0, 4, 4}, clBtnFace, clBtnFace, TGradientDirection::gdTopToBottom, 4);
    EXPECT_EQ(At(image, 2, 2), clBtnFace.Rgb());
}
