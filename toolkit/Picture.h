// What an image control shows: a picture holder with at most one graphic, and the
// kinds of graphic a picture file can hold, chosen by the file's extension.
//
//   picture.LoadFromFile("dris/7.jpg")  reads the file now, decodes it on the first Draw
//   picture.LoadFromFile("dris/")       throws EInvalidGraphic "Unknown picture file extension (.)"
//   picture.LoadFromFile("dris/99.jpg") throws EFOpenError "Cannot open file "<full path>". <reason>"
//
// A failed load leaves the holder with the graphic it had and signals nothing.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/JpegPicture.h"

class TGraphic {
public:
    virtual ~TGraphic() = default;

    // Loads the whole named file; the file is closed again before its bytes are looked at.
    // A file larger than PictureMemoryLimit is refused without being read.
    virtual void LoadFromFile(std::string_view name);
    virtual void LoadFromBytes(std::vector<unsigned char> bytes) = 0;

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // A transparent graphic lets its control's parent show through it.
    virtual bool Transparent() const { return false; }
    // Draws at its own size with the top-left corner of `rect`.
    virtual void Draw(QPainter& painter, const QRect& rect) = 0;
};

// A graphic Qt's own image readers can load.
class TRasterGraphic : public TGraphic {
public:
    void LoadFromBytes(std::vector<unsigned char> bytes) override;
    int Width() const override { return image_.width(); }
    int Height() const override { return image_.height(); }
    void Draw(QPainter& painter, const QRect& rect) override;

protected:
    // `format` names Qt's reader; `invalidMessage` is the EInvalidGraphic text when
    // it cannot read the bytes.
    TRasterGraphic(const char* format, const char* invalidMessage);

private:
    const char* format_;
    const char* invalidMessage_;
    QImage image_;
};

class TBitmap : public TRasterGraphic {
public:
    TBitmap();
};

class TIcon : public TRasterGraphic {
public:
    TIcon();
    bool Transparent() const override { return true; }
};

// Windows metafiles stay registered, but there is nothing here to play them back:
// loading one reads the file and then raises EInvalidGraphic.
class TMetafile : public TGraphic {
public:
    explicit TMetafile(std::string extension);
    void LoadFromBytes(std::vector<unsigned char> bytes) override;
    int Width() const override { return 0; }
    int Height() const override { return 0; }
    void Draw(QPainter&, const QRect&) override {}

private:
    std::string extension_;
};

// A JPEG picture: the header is read at load, the pixels are decoded on the first
// draw and kept from then on. A decoding failure keeps the rows decoded before it,
// draws only those (possibly none) and raises EJPEG once; the picture is not decoded
// again. Only the part of the picture that the surface it is first drawn on can show
// is decoded and kept; the file's bytes are let go once it has been decoded.
//
// On a screen that scales the window (device pixel ratio above 1) the picture is drawn
// from its sharp variant, the same drawing at twice the size (NAME@2x.jpg beside
// NAME.jpg), into the same logical rectangle. The variant is read the first time the
// picture is drawn on such a screen; a missing or bad one, or one not exactly twice
// the size, is passed over without a word. Everything else (size, errors, centring,
// opacity) is the picture's own.
class TJPEGImage : public TGraphic {
public:
    // Loads the sharp variant into the picture given; throwing means there is none.
    using SharpSource = std::function<void(JpegPicture&)>;

    // A file too large for any picture within the memory cap is refused unread.
    void LoadFromFile(std::string_view name) override;
    void LoadFromBytes(std::vector<unsigned char> bytes) override;
    int Width() const override { return jpeg_.Width(); }
    int Height() const override { return jpeg_.Height(); }
    // Until decoded, and when a failed decode has left rows undrawn.
    bool Transparent() const override;
    void Draw(QPainter& painter, const QRect& rect) override;

    const JpegPicture& Jpeg() const { return jpeg_; }
    bool Decoded() const { return decoded_; }
    // The decoded rows of the part that could be seen, and where that part lies in the
    // picture; null before the first draw, for a picture of no size and when decoding
    // failed before the first row.
    const QImage& Bitmap() const { return bitmap_; }
    QPoint BitmapOrigin() const { return bitmapAt_; }

    // LoadFromFile sets the file beside the picture's own; a picture loaded from bytes
    // has no sharp variant unless given one.
    void SetSharpSource(SharpSource source);
    // The sharp variant as drawn; null until it has been read, or when there is none.
    const QImage& SharpBitmap() const { return sharp_; }

private:
    // Reads and decodes the sharp variant's part for `visible` once; keeps it only when
    // it is whole.
    void ReadSharpVariant(const JpegRegion& visible);

    JpegPicture jpeg_;
    bool decoded_ = false;
    QImage bitmap_;
    QPoint bitmapAt_;
    JpegRegion visible_;
    int scanlinesRead_ = 0; // rows of the picture the decoder got through
    SharpSource sharpSource_;
    bool sharpRead_ = false;
    QImage sharp_;
    QPoint sharpAt_; // in the picture's own pixels
};

// The name of a picture file's sharp variant: "dris/1.jpg" -> "dris/1@2x.jpg".
std::string SharpVariantName(std::string_view name);

class TPicture {
public:
    // Replaces the graphic with one of the kind the name's extension selects, loaded
    // from the named file (relative names against the working folder).
    void LoadFromFile(std::string_view name);
    // Replaces the graphic with a JPEG picture held in memory, such as one carried
    // inside the program, and where its sharp variant is to be had.
    void LoadJpegFromBytes(std::vector<unsigned char> bytes, TJPEGImage::SharpSource sharp = {});

    TGraphic* Graphic() const { return graphic_.get(); }
    int Width() const { return graphic_ ? graphic_->Width() : 0; }
    int Height() const { return graphic_ ? graphic_->Height() : 0; }

    // Called after a new graphic has been installed.
    std::function<void()> WhenChanged;

private:
    void Install(std::unique_ptr<TGraphic> graphic);

    std::unique_ptr<TGraphic> graphic_;
};
