#include <gtest/gtest.h>

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <climits>

#include "runtime/Errors.h"
#include "toolkit/Canvas.h"
#include "toolkit/Platform.h"

namespace {

constexpr std::uint32_t Paper = 0x204060;
constexpr std::uint32_t Ink = 0xC01020;
constexpr std::uint32_t Fill = 0x30A050;

QImage Blank(int width, int height, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(width, height, format);
    image.fill(QColor::fromRgb(Paper));
    return image;
}

std::uint32_t At(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFFu;
}

// The image as rows of characters: '.' paper, '#' ink, 'o' fill, '?' anything else.
std::vector<std::string> Picture(const QImage& image)
{
    std::vector<std::string> rows;
    for (int y = 0; y < image.height(); ++y) {
        std::string row;
        for (int x = 0; x < image.width(); ++x) {
            const std::uint32_t c = At(image, x, y);
            row += c == Paper ? '.' : c == Ink ? '#' : c == Fill ? 'o' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

void UseInk(TCanvas& canvas)
{
    canvas.Pen() = TPen{TColor::FromHex(Ink), 1, TPenStyle::psSolid, TPenMode::pmCopy};
    canvas.Brush() = TBrush{TColor::FromHex(Fill), TBrushStyle::bsSolid};
}

using Rows = std::vector<std::string>;

} // namespace

TEST(MulDiv, ZeroDenominatorOrOverflowGivesMinusOne)
{
    EXPECT_EQ(MulDiv(5, 7, 0), -1);
    EXPECT_EQ(MulDiv(INT_MAX, 4, 2), -1);
    EXPECT_EQ(MulDiv(INT_MIN, 1, -1), -1);
}

TEST(MulDiv, UsesA64BitProduct)
{
    EXPECT_EQ(MulDiv(100000, 100000, 100000), 100000);
    EXPECT_EQ(MulDiv(INT_MAX, 2, 2), INT_MAX);
    EXPECT_EQ(MulDiv(INT_MIN, 3, 3), INT_MIN);
}

TEST(MulDiv, RoundsHalvesAwayFromZero)
{
    EXPECT_EQ(MulDiv(1, 3, 2), 2);
    EXPECT_EQ(MulDiv(-1, 3, 2), -2);
    EXPECT_EQ(MulDiv(1, 3, -2), -2);
    EXPECT_EQ(MulDiv(-1, -3, 2), 2);
    EXPECT_EQ(MulDiv(4, -49, 8), -25);
    EXPECT_EQ(MulDiv(1, -49, 8), -6);
    EXPECT_EQ(MulDiv(1, 48, 13), 4);
    EXPECT_EQ(MulDiv(7, 1, 3), 2);
}

TEST(IsRectEmpty, NoPixelsMeansEmpty)
{
    EXPECT_TRUE(IsRectEmpty(TRect{5, 0, 5, 10}));
    EXPECT_TRUE(IsRectEmpty(TRect{0, 5, 10, 5}));
    EXPECT_TRUE(IsRectEmpty(TRect{10, 10, 0, 0}));
    EXPECT_FALSE(IsRectEmpty(TRect{0, 0, 1, 1}));
}

TEST(CanvasDrawing, WithoutADeviceRaises)
{
    TCanvas canvas;
    EXPECT_THROW(canvas.FillRect(TRect{0, 0, 2, 2}, clBlack), Exception);
    EXPECT_THROW(canvas.Rectangle(0, 0, 2, 2), Exception);
    EXPECT_FALSE(canvas.Pixels(0, 0).has_value());
}

TEST(CanvasRectangle, CoversRightAndBottomExclusive)
{
    QImage image = Blank(12, 7);
    {
        TCanvas canvas(image);
        UseInk(canvas);
        canvas.Rectangle(1, 1, 11, 6);
    }
    EXPECT_EQ(Picture(image), (Rows{"............",
                                    ".##########.",
                                    ".#oooooooo#.",
                                    ".#oooooooo#.",
                                    ".#oooooooo#.",
                                    ".##########.",
                                    "............"}));
}

TEST(CanvasRectangle, InvertedCornersAreSwapped)
{
    QImage a = Blank(6, 6), b = Blank(6, 6);
    {
        TCanvas canvas(a);
        UseInk(canvas);
        canvas.Rectangle(1, 1, 5, 4);
    }
    {
        TCanvas canvas(b);
        UseInk(canvas);
        canvas.Rectangle(5, 4, 1, 1);
    }
    EXPECT_EQ(a, b);
}

TEST(CanvasRectangle, ClearPenFillsOnePixelShortRightAndBottom)
{
    QImage image = Blank(6, 5);
    {
        TCanvas canvas(image);
        UseInk(canvas);
        canvas.Pen().Style = TPenStyle::psClear;
        canvas.Rectangle(0, 0, 5, 4);
    }
    EXPECT_EQ(Picture(image), (Rows{"oooo..", "oooo..", "oooo..", "......", "......"}));
}

TEST(CanvasRectangle, ClearBrushLeavesTheInside)
{
    QImage image = Blank(5, 4);
    {
        TCanvas canvas(image);
        UseInk(canvas);
        canvas.Brush().Style = TBrushStyle::bsClear;
        canvas.Rectangle(0, 0, 5, 4);
    }
    EXPECT_EQ(Picture(image), (Rows{"#####", "#...#", "#...#", "#####"}));
}

TEST(CanvasRectangle, WidePenGrowsInward)
{
    QImage image = Blank(6, 6);
    {
        TCanvas canvas(image);
        UseInk(canvas);
        canvas.Pen().Width = 2;
        canvas.Rectangle(0, 0, 6, 6);
    }
    EXPECT_EQ(Picture(image), (Rows{"######", "######", "##oo##", "##oo##", "######", "######"}));
}

TEST(CanvasRoundRect, CornerThreeLeavesTheCornerPixels)
{
    QImage image = Blank(6, 5);
    {
        TCanvas canvas(image);
        UseInk(canvas);
        canvas.RoundRect(0, 0, 6, 5, 3, 3);
    }
    EXPECT_EQ(Picture(image), (Rows{".####.", "#oooo#", "#oooo#", "#oooo#", ".####."}));
}

TEST(CanvasRoundRect, CornerTwoLeavesTheCornerPixels)
{
    QImage image = Blank(5, 4);
    {
        TCanvas canvas(image);
        UseInk(canvas);
        canvas.Brush().Style = TBrushStyle::bsClear;
        canvas.RoundRect(0, 0, 5, 4, 2, 2);
    }
    EXPECT_EQ(Picture(image), (Rows{".###.", "#...#", "#...#", ".###."}));
}

TEST(CanvasRoundRect, CornerFiveStepsDiagonally)
{
    QImage image = Blank(9, 7);
    {
        TCanvas canvas(image);
        UseInk(canvas);
        canvas.RoundRect(0, 0, 9, 7, 5, 5);
    }
    EXPECT_EQ(Picture(image), (Rows{"..#####..",
                                    ".#ooooo#.",
                                    "#ooooooo#",
                                    "#ooooooo#",
                                    "#ooooooo#",
                                    ".#ooooo#.",
                                    "..#####.."}));
}

TEST(CanvasRoundRect, CornerLargerThanTheRectIsClamped)
{
    QImage image = Blank(3, 3);
    {
        TCanvas canvas(image);
        UseInk(canvas);
        canvas.RoundRect(0, 0, 3, 3, 40, 40);
    }
    EXPECT_EQ(Picture(image), (Rows{".#.", "#o#", ".#."}));
}

TEST(CanvasLine, StopsOnePixelShortOfItsEnd)
{
    QImage image = Blank(6, 5);
    {
        TCanvas canvas(image);
        UseInk(canvas);
        canvas.MoveTo(1, 1);
        canvas.LineTo(5, 1);
        canvas.MoveTo(0, 4);
        canvas.LineTo(0, 1); // upwards: rows 4 down to 2
        canvas.MoveTo(2, 2);
        canvas.LineTo(4, 4);
        canvas.MoveTo(5, 4);
        canvas.LineTo(5, 4); // nothing
    }
    EXPECT_EQ(Picture(image), (Rows{"......", ".####.", "#.#...", "#..#..", "#....."}));
}

TEST(CanvasLine, ClearPenDrawsNothing)
{
    QImage image = Blank(4, 2);
    {
        TCanvas canvas(image);
        UseInk(canvas);
        canvas.Pen().Style = TPenStyle::psClear;
        canvas.MoveTo(0, 0);
        canvas.LineTo(4, 0);
    }
    EXPECT_EQ(Picture(image), (Rows{"....", "...."}));
}

TEST(CanvasLine, NotModeInvertsAndTwiceRestores)
{
    QImage image = Blank(5, 1);
    TCanvas canvas(image);
    UseInk(canvas);
    canvas.Pen().Mode = TPenMode::pmNot;
    canvas.MoveTo(0, 0);
    canvas.LineTo(3, 0);
    EXPECT_EQ(At(image, 0, 0), Paper ^ 0xFFFFFFu);
    EXPECT_EQ(At(image, 2, 0), Paper ^ 0xFFFFFFu);
    EXPECT_EQ(At(image, 3, 0), Paper);
    canvas.MoveTo(0, 0);
    canvas.LineTo(3, 0);
    EXPECT_EQ(At(image, 1, 0), Paper);
}

TEST(CanvasPolyline, JoinsSegmentsAndLeavesTheLastPointAndPenPosition)
{
    QImage image = Blank(5, 4);
    {
        TCanvas canvas(image);
        UseInk(canvas);
        canvas.MoveTo(4, 3);
        canvas.Polyline({{0, 0}, {3, 0}, {3, 3}});
        canvas.LineTo(4, 1); // from where the pen stood before
    }
    EXPECT_EQ(Picture(image), (Rows{"####.", "...#.", "...##", "....#"}));
}

TEST(CanvasPolyline, ThreePixelPenCoversThreeRowsAroundTheLine)
{
    QImage image = Blank(12, 7);
    {
        TCanvas canvas(image);
        UseInk(canvas);
        canvas.Pen().Width = 3;
        canvas.Polyline({{2, 3}, {9, 3}});
    }
    for (int x = 3; x <= 8; ++x) {
        EXPECT_EQ(At(image, x, 1), Paper) << x;
        EXPECT_EQ(At(image, x, 2), Ink) << x;
        EXPECT_EQ(At(image, x, 3), Ink) << x;
        EXPECT_EQ(At(image, x, 4), Ink) << x;
        EXPECT_EQ(At(image, x, 5), Paper) << x;
    }
    EXPECT_EQ(At(image, 0, 3), Paper);
    EXPECT_EQ(At(image, 11, 3), Paper);
}

TEST(CanvasFill, TemporaryColourLeavesTheBrush)
{
    QImage image = Blank(4, 3);
    TCanvas canvas(image);
    UseInk(canvas);
    canvas.Brush().Style = TBrushStyle::bsClear;
    canvas.FillRect(TRect{1, 1, 3, 3}, TColor::FromHex(Ink));
    EXPECT_EQ(canvas.Brush().Color, TColor::FromHex(Fill));
    EXPECT_EQ(canvas.Brush().Style, TBrushStyle::bsClear);
    canvas.FillRect(TRect{0, 0, 4, 3}); // clear brush: nothing
    EXPECT_EQ(Picture(image), (Rows{"....", ".##.", ".##."}));
    canvas.FillRect(TRect{3, 3, 1, 1}, TColor::FromHex(Fill)); // empty: nothing
    EXPECT_EQ(At(image, 2, 2), Ink);
}

TEST(CanvasPixels, SetAndReadBack)
{
    QImage image = Blank(3, 3);
    TCanvas canvas(image);
    canvas.SetPixel(1, 2, TColor::FromHex(0x010203));
    EXPECT_EQ(canvas.Pixels(1, 2), TColor::FromHex(0x010203));
    EXPECT_EQ(canvas.Pixels(0, 0), TColor::FromHex(Paper));
    EXPECT_FALSE(canvas.Pixels(3, 0).has_value());
    EXPECT_FALSE(canvas.Pixels(-1, 0).has_value());
}

TEST(CanvasFocusRect, InvertsEveryOtherBorderPixelOnce)
{
    QImage image = Blank(6, 5);
    TCanvas canvas(image);
    canvas.DrawFocusRect(TRect{0, 0, 6, 5});
    const std::uint32_t inverted = Paper ^ 0xFFFFFFu;
    // (x + y) even on the border; the inside is left alone.
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool border = x == 0 || y == 0 || x == 5 || y == 4;
            const std::uint32_t expected = border && (x + y) % 2 == 0 ? inverted : Paper;
            EXPECT_EQ(At(image, x, y), expected) << x << "," << y;
        }
    canvas.DrawFocusRect(TRect{0, 0, 6, 5});
    EXPECT_EQ(Picture(image), (Rows{"......", "......", "......", "......", "......"}));
}

TEST(CanvasFocusRect, KeepsOpaqueAlphaOnImagesWithAlpha)
{
    QImage image = Blank(4, 4, QImage::Format_ARGB32_Premultiplied);
    {
        TCanvas canvas(image);
        canvas.DrawFocusRect(TRect{0, 0, 4, 4});
    }
    EXPECT_EQ(image.pixel(0, 0), 0xFF000000u | (Paper ^ 0xFFFFFFu));
    EXPECT_EQ(image.pixel(1, 0), 0xFF000000u | Paper);
}

TEST(CanvasText, DrawsFromTheTopLeftOfItsCell)
{
    MapLayoutFontFamily("MS Sans Serif");
    if (!QFontDatabase::hasFamily(QFont::substitute("MS Sans Serif")))
        GTEST_SKIP() << "no outline font for the layouts on this platform plugin (offscreen on Windows has none)";
    QImage image = Blank(60, 30);
    TCanvas canvas(image);
    canvas.Font().SetHeight(16);
    canvas.Font().SetBold(true);
    canvas.Font().SetColor(TColor::FromHex(Ink));
    canvas.Brush().Style = TBrushStyle::bsClear;
    const TSize extent = canvas.TextExtent("HH");
    const int ascent = QFontMetrics(canvas.Font().ToQFont()).ascent();
    canvas.TextRect(TRect{0, 0, 60, 30}, 10, 5, "HH");
    int top = 30, bottom = -1, left = 60, right = -1;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x)
            if (At(image, x, y) == Ink) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_LE(top, bottom);
    EXPECT_GE(top, 5);
    EXPECT_EQ(bottom, 5 + ascent - 1); // capitals stand on the baseline
    EXPECT_GE(left, 10);
    EXPECT_LE(left, 12);
    EXPECT_LT(right, 10 + extent.cx);
}

TEST(CanvasText, IsClippedAndAnOpaqueBrushFillsTheClip)
{
    QImage image = Blank(40, 20);
    TCanvas canvas(image);
    canvas.Font().SetHeight(16);
    canvas.Font().SetColor(TColor::FromHex(Ink));
    canvas.Brush() = TBrush{TColor::FromHex(Fill), TBrushStyle::bsSolid};
    canvas.TextRect(TRect{5, 5, 12, 15}, 0, 0, "WWWW");
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool inside = x >= 5 && x < 12 && y >= 5 && y < 15;
            if (!inside)
                EXPECT_EQ(At(image, x, y), Paper) << x << "," << y;
            else
                EXPECT_TRUE(At(image, x, y) == Fill || At(image, x, y) == Ink) << x << "," << y;
        }
}

TEST(CanvasText, ExtentGrowsWithTheText)
{
    TCanvas canvas;
    canvas.Font().SetHeight(16);
    EXPECT_EQ(canvas.TextWidth(""), 0);
    EXPECT_GT(canvas.TextWidth("WW"), canvas.TextWidth("W"));
    EXPECT_GE(canvas.TextExtent("W").cy, 16);
}
