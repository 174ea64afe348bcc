#include "toolkit/Picture.h"

#include <QByteArrayView>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>
#include <exception>

#include "runtime/Errors.h"
#include "runtime/PictureFile.h"
#include "runtime/PictureFormats.h"

namespace {

// Read once: the choice between paletted and true-colour decoding holds for the run.
bool SmallColourScreen()
{
    static const bool small = [] {
        const QScreen* screen = QGuiApplication::primaryScreen();
        return screen != nullptr && screen->depth() <= 8;
    }();
    return small;
}

// The rows really decoded, as an image to draw. Colour rows are already in the
// screen's 32-bit layout and are handed over without a copy.
QImage ToImage(JpegBitmap&& pixels)
{
    if (pixels.DecodedRows <= 0)
        return {};
    const auto bytesPerRow = static_cast<qsizetype>(pixels.BytesPerRow());
    if (pixels.BitsPerPixel == 32) {
        auto* rows = new PixelBuffer(std::move(pixels.Pixels));
        return QImage(rows->data(), pixels.Width, pixels.DecodedRows, bytesPerRow, QImage::Format_RGB32,
                      [](void* owned) { delete static_cast<PixelBuffer*>(owned); }, rows);
    }
    QImage indexed(pixels.Pixels.data(), pixels.Width, pixels.DecodedRows, bytesPerRow, QImage::Format_Indexed8);
    QList<QRgb> colours;
    for (const auto& entry : pixels.Palette)
        colours.append(qRgb(entry[0], entry[1], entry[2]));
    indexed.setColorTable(colours);
    // Drawn at every repaint, converted once.
    return indexed.convertToFormat(QImage::Format_RGB32);
}

// The part of a picture drawn at `at` that the painter's surface can show, in the
// picture's pixels: all of it when the painter is transformed.
JpegRegion VisibleRegion(const QPainter& painter, QPoint at, int width, int height)
{
    const QPaintDevice* device = painter.device();
    if (device == nullptr || !painter.worldTransform().isIdentity())
        return {0, 0, width, height};
    // A widget measures itself in logical pixels, an image or a pixmap in its own.
    const qreal perPixel = device->devType() == QInternal::Widget ? 1.0 : device->devicePixelRatioF();
    const QRect surface(0, 0, static_cast<int>(std::ceil(device->width() / perPixel)),
                        static_cast<int>(std::ceil(device->height() / perPixel)));
    const QRect shown = QRect(at, QSize(width, height)).intersected(surface);
    if (shown.isEmpty())
        return {};
    return {shown.left() - at.x(), shown.top() - at.y(), shown.width(), shown.height()};
}

std::unique_ptr<TGraphic> NewGraphic(const PictureFormat& format)
{
    switch (format.Kind) {
    case PictureKind::Metafile:
        return std::make_unique<TMetafile>(format.Extension);
    case PictureKind::Icon:
        return std::make_unique<TIcon>();
    case PictureKind::Bitmap:
        return std::make_unique<TBitmap>();
    case PictureKind::Jpeg:
        break;
    }
    return std::make_unique<TJPEGImage>();
}

} // namespace

void TGraphic::LoadFromFile(std::string_view name)
{
    // A file beyond the cap comes back empty, unread, and is refused as an empty one is.
    LoadFromBytes(ReadPictureFileWithin(name, PictureMemoryLimit).Bytes);
}

TRasterGraphic::TRasterGraphic(const char* format, const char* invalidMessage)
    : format_(format), invalidMessage_(invalidMessage)
{
}

void TRasterGraphic::LoadFromBytes(std::vector<unsigned char> bytes)
{
    QImage image;
    const QByteArrayView data(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (!image.loadFromData(data, format_))
        throw EInvalidGraphic(invalidMessage_);
    image_ = std::move(image);
}

void TRasterGraphic::Draw(QPainter& painter, const QRect& rect)
{
    painter.drawImage(rect.topLeft(), image_);
}

TBitmap::TBitmap() : TRasterGraphic("BMP", "Bitmap image is not valid") {}

TIcon::TIcon() : TRasterGraphic("ICO", "Icon image is not valid") {}

TMetafile::TMetafile(std::string extension) : extension_(std::move(extension)) {}

void TMetafile::LoadFromBytes(std::vector<unsigned char>)
{
    throw EInvalidGraphic("Metafile pictures (." + extension_ + ") cannot be shown on this system");
}

std::string SharpVariantName(std::string_view name)
{
    const std::size_t dot = name.rfind('.');
    const std::size_t slash = name.find_last_of("/\\:");
    const bool hasExtension = dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash);
    const std::size_t stem = hasExtension ? dot : name.size();
    return std::string(name.substr(0, stem)) + "@2x" + std::string(name.substr(stem));
}

void TJPEGImage::LoadFromFile(std::string_view name)
{
    jpeg_.LoadFromFile(name);
    decoded_ = false;
    bitmap_ = QImage();
    scanlinesRead_ = 0;
    // Read as the picture itself is, under the same cap on its size.
    SetSharpSource([sharpName = SharpVariantName(name)](JpegPicture& sharp) { sharp.LoadFromFile(sharpName); });
}

void TJPEGImage::LoadFromBytes(std::vector<unsigned char> bytes)
{
    jpeg_.LoadFromBytes(std::move(bytes));
    decoded_ = false;
    bitmap_ = QImage();
    scanlinesRead_ = 0;
    SetSharpSource({});
}

void TJPEGImage::SetSharpSource(SharpSource source)
{
    sharpSource_ = std::move(source);
    sharpRead_ = false;
    sharp_ = QImage();
}

void TJPEGImage::ReadSharpVariant(const JpegRegion& visible)
{
    sharpRead_ = true;
    if (!sharpSource_)
        return;
    try {
        JpegPicture sharp;
        sharpSource_(sharp);
        if (sharp.Width() != 2 * Width() || sharp.Height() != 2 * Height())
            return;
        // A pixel more on every side: resampled at a scale other than 2, the edge of
        // what shows blends with its neighbours.
        const JpegRegion doubled{2 * visible.Left - 2, 2 * visible.Top - 2, 2 * visible.Width + 4,
                                 2 * visible.Height + 4};
        JpegBitmap pixels;
        sharp.Decode(pixels, SmallColourScreen(), doubled);
        // Only a variant that decoded whole and sound: libjpeg pads a cut file and gets over
        // corrupt data with no more than a warning, and the picture itself is better.
        if (pixels.DecodedRows != pixels.Height || pixels.Warnings != 0)
            return;
        sharpAt_ = QPoint(pixels.Left / 2, pixels.Top / 2);
        sharp_ = ToImage(std::move(pixels));
        sharp_.setDevicePixelRatio(2);
    } catch (const Exception&) {
        // No sharp variant: the picture itself is drawn, as on any screen.
    }
}

void TJPEGImage::Draw(QPainter& painter, const QRect& rect)
{
    std::exception_ptr failure;
    if (!decoded_) {
        decoded_ = true;
        visible_ = VisibleRegion(painter, rect.topLeft(), Width(), Height());
        JpegBitmap pixels;
        try {
            jpeg_.Decode(pixels, SmallColourScreen(), visible_);
        } catch (const EJPEG&) {
            failure = std::current_exception();
        }
        // Decoded once and for all: the file's bytes are not wanted any more.
        jpeg_.ReleaseBytes();
        bitmapAt_ = QPoint(pixels.Left, pixels.Top);
        scanlinesRead_ = pixels.ScanlinesRead;
        bitmap_ = ToImage(std::move(pixels));
    }
    // The sharp variant stands in only for a picture that decoded whole.
    const bool scaled = painter.device() != nullptr && painter.device()->devicePixelRatioF() > 1.0;
    if (scaled && !failure && scanlinesRead_ == Height()) {
        if (!sharpRead_)
            ReadSharpVariant(visible_);
        if (!sharp_.isNull()) {
            // Between 1 and 2, or above 2, the variant is resampled smoothly.
            const bool smooth = painter.testRenderHint(QPainter::SmoothPixmapTransform);
            painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
            painter.drawImage(rect.topLeft() + sharpAt_, sharp_);
            painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
            return;
        }
    }
    if (!bitmap_.isNull())
        painter.drawImage(rect.topLeft() + bitmapAt_, bitmap_);
    if (failure)
        std::rethrow_exception(failure);
}

bool TJPEGImage::Transparent() const
{
    // Rows that were never decoded are not drawn: what lies under them shows. Until the
    // first draw it is not known which rows will be.
    return !decoded_ || scanlinesRead_ < Height();
}

void TPicture::LoadFromFile(std::string_view name)
{
    std::unique_ptr<TGraphic> graphic = NewGraphic(FindPictureFormat(name));
    graphic->LoadFromFile(name);
    Install(std::move(graphic));
}

void TPicture::LoadJpegFromBytes(std::vector<unsigned char> bytes, TJPEGImage::SharpSource sharp)
{
    auto graphic = std::make_unique<TJPEGImage>();
    graphic->LoadFromBytes(std::move(bytes));
    graphic->SetSharpSource(std::move(sharp));
    Install(std::move(graphic));
}

void TPicture::Install(std::unique_ptr<TGraphic> graphic)
{
    graphic_ = std::move(graphic);
    if (WhenChanged)
        WhenChanged();
}
