#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QPalette>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <string_view>

#include "runtime/Errors.h"
#include "tests/runtime/jpeg_test_files.h"
#include "toolkit/Application.h"
#include "toolkit/Image.h"
#include "toolkit/Picture.h"
#include "toolkit/Utf8.h"

using namespace testpics;

namespace {

const QColor Green(0, 160, 0);

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int Count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++Count;
        return false;
    }
};

// Collects the errors the application's catch point receives instead of showing them.
class CapturedErrors {
public:
    CapturedErrors()
    {
        Application()->SetErrorHook([this](QObject* sender, const Exception& error) {
            Senders.push_back(sender);
            Messages.push_back(error.Message());
        });
    }
    ~CapturedErrors() { Application()->SetErrorHook(nullptr); }
    std::vector<QObject*> Senders;
    std::vector<std::string> Messages;
};

// A green window with one 145 × 100 image control at (10, 10).
struct Lane {
    Lane()
    {
        window.resize(300, 200);
        window.setAutoFillBackground(true);
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, Green);
        window.setPalette(palette);
        image = new TImage(&window);
        image->setGeometry(10, 10, 145, 100);
        image->SetCenter(true);
    }

    // Errors raised while painting reach the catch point once the paint has returned,
    // so the events after it are handled too.
    QImage Render()
    {
        QImage shot(window.size(), QImage::Format_RGB32);
        shot.fill(Qt::white);
        window.render(&shot);
        QCoreApplication::processEvents();
        return shot;
    }

    QWidget window;
    TImage* image;
};

bool Near(QColor actual, QColor expected, int tolerance = 8)
{
    return std::abs(actual.red() - expected.red()) <= tolerance
        && std::abs(actual.green() - expected.green()) <= tolerance
        && std::abs(actual.blue() - expected.blue()) <= tolerance;
}

std::vector<unsigned char> BmpBytes(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return {bytes.begin(), bytes.end()};
}

} // namespace

// ---- where the picture lands ----

TEST(ImagePictureRect, WithoutPicture)
{
    Lane lane;
    EXPECT_TRUE(lane.image->PictureRect().isEmpty());
}

TEST(ImagePictureRect, CentredTruncatingTowardZero)
{
    Lane lane;
    lane.image->Picture().LoadJpegFromBytes(SolidJpeg(142, 41, {0, 0, 0}));
    EXPECT_EQ(lane.image->PictureRect(), QRect(1, 29, 142, 41));
    lane.image->Picture().LoadJpegFromBytes(SolidJpeg(200, 150, {0, 0, 0}));
    EXPECT_EQ(lane.image->PictureRect(), QRect(-27, -25, 200, 150));
    lane.image->Picture().LoadJpegFromBytes(SolidJpeg(146, 101, {0, 0, 0}));
    EXPECT_EQ(lane.image->PictureRect().topLeft(), QPoint(0, 0));
    lane.image->SetCenter(false);
    lane.image->Picture().LoadJpegFromBytes(SolidJpeg(142, 41, {0, 0, 0}));
    EXPECT_EQ(lane.image->PictureRect(), QRect(0, 0, 142, 41));
}

// ---- opacity and what shows around the picture ----

// Shown, since a hidden control learns of a new size only when it is shown.
TEST(ImageOpacity, OpaqueOnlyWhenCovered)
{
    Lane lane;
    lane.window.show();
    EXPECT_FALSE(lane.image->testAttribute(Qt::WA_OpaquePaintEvent));
    lane.image->Picture().LoadJpegFromBytes(SolidJpeg(144, 100, {0, 0, 0}));
    EXPECT_FALSE(lane.image->testAttribute(Qt::WA_OpaquePaintEvent));
    lane.image->Picture().LoadJpegFromBytes(SolidJpeg(145, 100, {0, 0, 0}));
    EXPECT_FALSE(lane.image->testAttribute(Qt::WA_OpaquePaintEvent)) << "not yet known to decode";
    lane.Render();
    EXPECT_TRUE(lane.image->testAttribute(Qt::WA_OpaquePaintEvent));
    lane.image->Picture().LoadJpegFromBytes(SolidJpeg(200, 150, {0, 0, 0}));
    lane.Render();
    EXPECT_TRUE(lane.image->testAttribute(Qt::WA_OpaquePaintEvent));
    lane.image->resize(300, 100);
    EXPECT_FALSE(lane.image->testAttribute(Qt::WA_OpaquePaintEvent));
}

TEST(ImagePainting, ParentShowsAroundASmallPicture)
{
    Lane lane;
    lane.image->Picture().LoadJpegFromBytes(SolidJpeg(100, 50, {220, 20, 20}));
    const QImage shot = lane.Render();
    // The picture occupies (22, 25) to (121, 74) of the control, i.e. (32, 35) to (131, 84).
    EXPECT_TRUE(Near(shot.pixelColor(11, 11), Green));
    EXPECT_TRUE(Near(shot.pixelColor(31, 60), Green));
    EXPECT_TRUE(Near(shot.pixelColor(32, 60), QColor(220, 20, 20)));
    EXPECT_TRUE(Near(shot.pixelColor(131, 84), QColor(220, 20, 20)));
    EXPECT_TRUE(Near(shot.pixelColor(132, 84), Green));
    EXPECT_TRUE(Near(shot.pixelColor(80, 85), Green));
}

TEST(ImagePainting, LargePictureClippedToTheControl)
{
    Lane lane;
    const auto halves = [](int x, int) { return x < 100 ? Rgb{220, 20, 20} : Rgb{20, 20, 220}; };
    lane.image->Picture().LoadJpegFromBytes(EncodeJpeg(200, 150, halves));
    const QImage shot = lane.Render();
    // Picture x 100 lands at control x 73, window x 83.
    EXPECT_TRUE(Near(shot.pixelColor(80, 50), QColor(220, 20, 20)));
    EXPECT_TRUE(Near(shot.pixelColor(86, 50), QColor(20, 20, 220)));
    EXPECT_TRUE(Near(shot.pixelColor(10, 10), QColor(220, 20, 20)));
    EXPECT_TRUE(Near(shot.pixelColor(154, 109), QColor(20, 20, 220)));
    EXPECT_TRUE(Near(shot.pixelColor(9, 50), Green));
    EXPECT_TRUE(Near(shot.pixelColor(155, 50), Green));
    EXPECT_TRUE(Near(shot.pixelColor(80, 110), Green));
}

// ---- loading from files ----

TEST(PictureLoad, UnknownExtension)
{
    TPicture picture;
    EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { picture.LoadFromFile("dris/5.gif"); }),
              "Unknown picture file extension (.gif)");
    EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { picture.LoadFromFile("dris/"); }),
              "Unknown picture file extension (.)");
    EXPECT_EQ(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Width(), 0);
}

TEST(PictureLoad, MetafilesCannotBeShown)
{
    TempFolder folder;
    const std::string wmf = folder.Write("a.wmf", {0xD7, 0xCD, 0xC6, 0x9A});
    const std::string emf = folder.Write("b.EMF", {1, 0, 0, 0});
    TPicture picture;
    EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { picture.LoadFromFile(wmf); }),
              "Metafile pictures (.wmf) cannot be shown on this system");
    EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { picture.LoadFromFile(emf); }),
              "Metafile pictures (.emf) cannot be shown on this system");
    EXPECT_THROW(picture.LoadFromFile((folder.Path() / "missing.wmf").string()), EFOpenError);
    EXPECT_EQ(picture.Graphic(), nullptr);
}

TEST(PictureLoad, FailedLoadKeepsThePreviousPicture)
{
    TempFolder folder;
    folder.Write("dris/1.jpg", SolidJpeg(40, 30, {0, 0, 0}));
    folder.Write("dris/bitmap.jpg", BmpBytes(10, 10, Qt::red));
    std::filesystem::create_directories(folder.Path() / "dris/folder.jpg");
    WorkingFolderScope inside(folder.Path());
    Lane lane;
    TPicture& picture = lane.image->Picture();
    picture.LoadFromFile("dris/1.jpg");
    const TGraphic* before = picture.Graphic();
    int changes = 0;
    picture.WhenChanged = [&] { ++changes; };

    EXPECT_EQ(MessageOf<EFOpenError>([&] { picture.LoadFromFile("dris/2.jpg"); }),
              "Cannot open file \"" + ShownPath(folder.Path() / "dris/2.jpg") + "\". " + NoSuchFile);
    EXPECT_EQ(MessageOf<EFOpenError>([&] { picture.LoadFromFile("dris/folder.jpg"); }),
              "Cannot open file \"" + ShownPath(folder.Path() / "dris/folder.jpg") + "\". " + IsAFolder);
    EXPECT_EQ(MessageOf<EJPEG>([&] { picture.LoadFromFile("dris/bitmap.jpg"); }), "JPEG error #53");
    EXPECT_THROW(picture.LoadFromFile("dris/1.gif"), EInvalidGraphic);
    EXPECT_EQ(picture.Graphic(), before);
    EXPECT_EQ(picture.Width(), 40);
    EXPECT_EQ(changes, 0);
}

TEST(PictureLoad, FailedLoadDoesNotRepaint)
{
    TempFolder folder;
    folder.Write("1.jpg", SolidJpeg(40, 30, {0, 0, 0}));
    WorkingFolderScope inside(folder.Path());
    Lane lane;
    lane.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&lane.window));
    PaintCounter paints(lane.image);
    QCoreApplication::processEvents();
    paints.Count = 0;

    EXPECT_THROW(lane.image->Picture().LoadFromFile("2.jpg"), EFOpenError);
    QCoreApplication::processEvents();
    EXPECT_EQ(paints.Count, 0);

    lane.image->Picture().LoadFromFile("1.jpg");
    QCoreApplication::processEvents();
    EXPECT_GE(paints.Count, 1);
}

TEST(PictureLoad, SameFileTwiceIsReadAgain)
{
    TempFolder folder;
    const std::string file = folder.Write("7.JPG", SolidJpeg(40, 30, {0, 0, 0}));
    TPicture picture;
    picture.LoadFromFile(file);
    const TGraphic* first = picture.Graphic();
    folder.Write("7.JPG", SolidJpeg(50, 20, {0, 0, 0}));
    picture.LoadFromFile(file);
    EXPECT_NE(picture.Graphic(), first);
    EXPECT_NE(dynamic_cast<TJPEGImage*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 50);
    EXPECT_EQ(picture.Height(), 20);
}

TEST(PictureLoad, Bitmap)
{
    TempFolder folder;
    const std::string good = folder.Write("car.bmp", BmpBytes(30, 20, Qt::red));
    const std::string bad = folder.Write("jpeg.bmp", SolidJpeg(30, 20, {0, 0, 0}));
    Lane lane;
    TPicture& picture = lane.image->Picture();
    EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { picture.LoadFromFile(bad); }), "Bitmap image is not valid");
    for (const auto& [name, message] : {std::pair{"huge.bmp", "Bitmap image is not valid"},
                                        std::pair{"huge.ico", "Icon image is not valid"}}) {
        const std::string huge = folder.Write(name, BmpBytes(30, 20, Qt::red));
        std::filesystem::resize_file(huge, PictureMemoryLimit + 1); // beyond the cap, so not even read
        EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { picture.LoadFromFile(huge); }), message) << name;
    }
    picture.LoadFromFile(good);
    EXPECT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 30);
    EXPECT_EQ(picture.Height(), 20);
    const QImage shot = lane.Render();
    // Centred at (57, 40) in the control.
    EXPECT_TRUE(Near(shot.pixelColor(10 + 57, 10 + 40), Qt::red));
    EXPECT_TRUE(Near(shot.pixelColor(10 + 56, 10 + 40), Green));
}

TEST(PictureLoad, IconIsNeverOpaque)
{
    TempFolder folder;
    QImage icon(145, 100, QImage::Format_ARGB32);
    icon.fill(Qt::blue);
    const std::string file = (folder.Path() / "a.ico").string();
    ASSERT_TRUE(icon.save(ToQString(file), "ICO"));
    Lane lane;
    lane.image->Picture().LoadFromFile(file);
    EXPECT_NE(dynamic_cast<TIcon*>(lane.image->Picture().Graphic()), nullptr);
    EXPECT_EQ(lane.image->Picture().Width(), 145);
    EXPECT_FALSE(lane.image->testAttribute(Qt::WA_OpaquePaintEvent));
}

// ---- decoding on the first draw ----

TEST(JpegDraw, DecodedOnFirstDrawOnly)
{
    Lane lane;
    lane.image->Picture().LoadJpegFromBytes(SolidJpeg(100, 50, {220, 20, 20}));
    auto* jpeg = dynamic_cast<TJPEGImage*>(lane.image->Picture().Graphic());
    ASSERT_NE(jpeg, nullptr);
    EXPECT_FALSE(jpeg->Decoded());
    lane.Render();
    EXPECT_TRUE(jpeg->Decoded());
    EXPECT_EQ(jpeg->Bitmap().size(), QSize(100, 50));
}

TEST(JpegDraw, EmptyFileFailsOnceAtFirstDraw)
{
    TempFolder folder;
    const std::string file = folder.Write("empty.jpg", {});
    CapturedErrors errors;
    Lane lane;
    lane.image->Picture().LoadFromFile(file);
    EXPECT_EQ(lane.image->Picture().Width(), 0);
    lane.Render();
    ASSERT_EQ(errors.Messages.size(), 1u);
    EXPECT_EQ(errors.Messages[0], "JPEG error #42");
    EXPECT_EQ(errors.Senders[0], lane.image);
    const QImage shot = lane.Render();
    EXPECT_EQ(errors.Messages.size(), 1u);
    EXPECT_TRUE(Near(shot.pixelColor(80, 60), Green));
}

// Rows never decoded are not drawn: the parent shows there, and the one error comes
// once, not at every repaint. Damage inside a scan is filled in by the decoder (gray)
// before it fails at the scan's end.
TEST(JpegDraw, FailedPictureDrawsOnlyItsDecodedRowsAndFailsOnce)
{
    std::vector<unsigned char> corrupt = SolidJpeg(145, 100, {220, 20, 20});
    const std::size_t start = ScanDataStart(corrupt);
    const std::size_t middle = start + (corrupt.size() - start) / 2;
    corrupt[middle] = 0xFF; // a second frame header inside the scan
    corrupt[middle + 1] = 0xC0;
    std::vector<unsigned char> noRow = SolidJpeg(145, 100, {220, 20, 20});
    noRow[ScanDataStart(noRow) - 8] = 0x33; // the scan names a table never defined
    const struct {
        const char* name;
        std::vector<unsigned char> bytes;
        const char* message;
        QColor top, bottom;
    } cases[] = {
        {"corrupt half way", corrupt, "JPEG error #58", QColor(220, 20, 20), QColor(128, 128, 128)},
        {"fails before the first row", noRow, "JPEG error #50", Green, Green},
        {"forged beyond the cap", ClaimingSize(SolidJpeg(16, 16, {220, 20, 20}), 60000, 60000), "JPEG error #54",
         Green, Green},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CapturedErrors errors;
        Lane lane;
        lane.window.show();
        lane.image->Picture().LoadJpegFromBytes(c.bytes);
        for (int paint = 0; paint < 3; ++paint) {
            const QImage shot = lane.Render();
            EXPECT_TRUE(Near(shot.pixelColor(20, 12), c.top));
            EXPECT_TRUE(Near(shot.pixelColor(80, 105), c.bottom));
        }
        EXPECT_EQ(errors.Messages, std::vector<std::string>{c.message});
    }
}

// A picture far larger than its control keeps only the part the control shows, decoded
// with the pixels of a whole decode, at scale 1 and from its sharp variant at scale 2;
// the file's bytes go once it is decoded.
TEST(JpegDraw, LargePictureKeepsOnlyWhatTheControlShows)
{
    const auto pattern = [](int x, int y) { return Rgb{(x * 7 + y * 3) % 256, (x * x / 5 + y * 11) % 256, (x ^ y) % 256}; };
    TempFolder folder;
    const std::string file = folder.Write("large.jpg", EncodeJpeg(1001, 803, pattern));
    folder.Write("large@2x.jpg", EncodeJpeg(2002, 1606, pattern, {.Progressive = true}));
    const auto whole = [&folder](const char* name, qreal scale) {
        JpegPicture picture;
        picture.LoadFromFile((folder.Path() / name).string());
        JpegBitmap pixels;
        picture.Decode(pixels, false);
        QImage image(pixels.Pixels.data(), pixels.Width, pixels.Height, QImage::Format_RGB32);
        image = image.copy();
        image.setDevicePixelRatio(scale);
        return image;
    };
    for (const qreal scale : {1.0, 2.0, 1.5}) {
        SCOPED_TRACE(testing::Message() << "scale " << scale);
        TPicture picture;
        picture.LoadFromFile(file);
        auto* jpeg = dynamic_cast<TJPEGImage*>(picture.Graphic());
        ASSERT_NE(jpeg, nullptr);
        const auto draw = [scale](const std::function<void(QPainter&, QPoint)>& what) {
            QImage surface(QSize(145, 100) * scale, QImage::Format_RGB32);
            surface.setDevicePixelRatio(scale);
            surface.fill(Qt::green);
            QPainter painter(&surface);
            painter.setRenderHint(QPainter::SmoothPixmapTransform, scale != 1.0);
            what(painter, QPoint((145 - 1001) / 2, (100 - 803) / 2));
            return surface;
        };
        const QImage shown = draw([&](QPainter& painter, QPoint at) { jpeg->Draw(painter, QRect(at, QSize(1001, 803))); });
        const QImage expected = draw([&](QPainter& painter, QPoint at) {
            painter.drawImage(at, whole(scale == 1.0 ? "large.jpg" : "large@2x.jpg", scale == 1.0 ? 1.0 : 2.0));
        });
        EXPECT_TRUE(shown == expected);
        EXPECT_EQ(picture.Width(), 1001);
        EXPECT_EQ(picture.Height(), 803);
        EXPECT_TRUE(jpeg->Jpeg().Bytes().empty());
        const QImage& kept = scale == 1.0 ? jpeg->Bitmap() : jpeg->SharpBitmap();
        const int factor = scale == 1.0 ? 1 : 2; // the sharp variant is kept at its own size
        EXPECT_LE(kept.width(), 145 * factor + 6);
        EXPECT_LE(kept.height(), 100 * factor + 6);
    }
}

// ---- properties ----

TEST(ImageProperties, UnchangedValuesDoNotRepaint)
{
    Lane lane;
    lane.image->Picture().LoadJpegFromBytes(SolidJpeg(100, 50, {220, 20, 20}));
    lane.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&lane.window));
    PaintCounter imagePaints(lane.image);
    PaintCounter windowPaints(&lane.window);
    QCoreApplication::processEvents();
    imagePaints.Count = windowPaints.Count = 0;

    lane.image->SetLeft(10);
    lane.image->SetTop(10);
    lane.image->setVisible(true);
    lane.image->SetCenter(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(imagePaints.Count, 0);
    EXPECT_EQ(windowPaints.Count, 0);

    lane.image->SetLeft(20);
    QCoreApplication::processEvents();
    EXPECT_EQ(lane.image->Left(), 20);
    EXPECT_GE(imagePaints.Count, 1);
}

TEST(ImageProperties, Visibility)
{
    Lane lane;
    EXPECT_TRUE(lane.image->Visible());
    lane.image->setVisible(false);
    EXPECT_FALSE(lane.image->Visible());
    lane.window.show();
    EXPECT_FALSE(lane.image->isVisible());
    lane.image->setVisible(true);
    EXPECT_TRUE(lane.image->isVisible());
}

TEST(SharpVariant, DrawnOnlyWhenTheScreenScalesAndTheVariantIsWholeAndSound)
{
    EXPECT_EQ(SharpVariantName("dris/1.jpg"), "dris/1@2x.jpg");
    EXPECT_EQ(SharpVariantName("dris.old/7"), "dris.old/7@2x");
    TempFolder folder;
    folder.Write("blue.jpg", SolidJpeg(20, 10, {0, 0, 255}));
    folder.Write("blue@2x.jpg", SolidJpeg(40, 20, {255, 0, 0})); // told apart by its colour
    folder.Write("odd.jpg", SolidJpeg(20, 10, {0, 0, 255}));
    folder.Write("odd@2x.jpg", SolidJpeg(30, 20, {255, 0, 0}));  // not twice the size
    folder.Write("bad.jpg", SolidJpeg(20, 10, {0, 0, 255}));
    folder.Write("bad@2x.jpg", {0xFF, 0xD8, 0xFF});                // damaged
    folder.Write("alone.jpg", SolidJpeg(20, 10, {0, 0, 255}));     // no variant
    // Damage libjpeg gets over with a warning, every row decoded: a progressive file cut
    // before its last scan, a stray marker in the middle of a scan.
    const auto red = SolidJpeg(40, 20, {255, 0, 0}, {.Progressive = true});
    const std::string_view redBytes(reinterpret_cast<const char*>(red.data()), red.size());
    const std::size_t lastScan = redBytes.rfind("\xFF\xDA");
    folder.Write("cut.jpg", SolidJpeg(20, 10, {0, 0, 255}));
    folder.Write("cut@2x.jpg", std::vector<unsigned char>(red.begin(), red.begin() + static_cast<long>(lastScan)));
    auto stray = SolidJpeg(40, 20, {255, 0, 0});
    const std::size_t middle = ScanDataStart(stray) + (stray.size() - ScanDataStart(stray)) / 2;
    stray[middle] = 0xFF;
    stray[middle + 1] = 0xD3;
    folder.Write("stray.jpg", SolidJpeg(20, 10, {0, 0, 255}));
    folder.Write("stray@2x.jpg", stray);
    folder.Write("empty.jpg", {});                                 // fails at its first draw
    folder.Write("empty@2x.jpg", SolidJpeg(40, 20, {255, 0, 0}));
    folder.Write("padded.jpg", SolidJpeg(20, 10, {0, 0, 255}));      // variant refused unread
    folder.Write("padded@2x.jpg", PaddedBeforeFrame(SolidJpeg(40, 20, {255, 0, 0}), 0xFE, 2 * MostBytesBeforeFrame));
    WorkingFolderScope inside(folder.Path());

    // The centre pixel drawn on a surface of the given scale: red from the variant, blue from the picture.
    auto centre = [](const char* name, qreal scale) {
        TPicture picture;
        picture.LoadFromFile(name);
        QImage surface(static_cast<int>(20 * scale), static_cast<int>(10 * scale), QImage::Format_RGB32);
        surface.setDevicePixelRatio(scale);
        surface.fill(Qt::white);
        QPainter painter(&surface);
        picture.Graphic()->Draw(painter, QRect(0, 0, 20, 10));
        painter.end();
        const QColor colour = surface.pixelColor(surface.width() / 2, surface.height() / 2);
        return colour.red() > 200 ? "variant" : colour.blue() > 200 ? "picture" : "other";
    };
    struct Case { const char* name; qreal scale; const char* drawn; };
    for (const Case& c : std::vector<Case>{{"blue.jpg", 1, "picture"}, {"blue.jpg", 2, "variant"},
                                           {"blue.jpg", 1.5, "variant"}, {"blue.jpg", 3, "variant"},
                                           {"odd.jpg", 2, "picture"}, {"bad.jpg", 2, "picture"},
                                           {"alone.jpg", 2, "picture"}, {"padded.jpg", 2, "picture"},
                                           {"cut.jpg", 2, "picture"}, {"stray.jpg", 2, "picture"}})
        EXPECT_STREQ(centre(c.name, c.scale), c.drawn) << c.name << " at " << c.scale;
    // The picture's own error stands, whatever its variant.
    EXPECT_EQ(MessageOf<EJPEG>([&] { centre("empty.jpg", 2); }), "JPEG error #42");
}
