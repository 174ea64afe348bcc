#include "runtime/JpegPicture.h"

#include <csetjmp>
#include <cstring>
#include <new>
#include <string>

#include "runtime/Errors.h"
#include "runtime/JpegMemorySource.h"

#include <jerror.h>

// libjpeg leaves through longjmp on a fatal error, so the functions below that call
// setjmp stay C-like: no object with a destructor lives across them, every path ends
// in jpeg_destroy_decompress, and they report failure as libjpeg's message code.
// The C++ error object is built by their callers, after they have returned.

namespace {

// Bitmaps and libjpeg's own work arrays are refused beyond this, as out of memory,
// rather than letting a forged header claim gigabytes.
constexpr std::size_t MemoryLimit = std::size_t(256) << 20;

struct JpegErrorExit {
    jpeg_error_mgr Manager; // first, so libjpeg's pointer to it is a pointer to the whole
    std::jmp_buf Exit;
};

void LeaveThroughExit(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegErrorExit*>(info->err)->Exit, 1);
}

void DiscardMessage(j_common_ptr) {}

void DiscardWarning(j_common_ptr, int) {}

void PrepareErrorExit(jpeg_decompress_struct* decompressor, JpegErrorExit* errors)
{
    std::memset(decompressor, 0, sizeof *decompressor);
    decompressor->err = jpeg_std_error(&errors->Manager);
    errors->Manager.error_exit = LeaveThroughExit;
    errors->Manager.output_message = DiscardMessage;
    errors->Manager.emit_message = DiscardWarning;
}

struct JpegHeader {
    int Width;
    int Height;
    bool Grayscale;
    bool Progressive;
};

int ReadJpegHeader(const unsigned char* data, std::size_t size, JpegHeader* header)
{
    jpeg_decompress_struct decompressor;
    JpegErrorExit errors;
    JpegMemorySource source;
    PrepareErrorExit(&decompressor, &errors);
    if (setjmp(errors.Exit)) {
        jpeg_destroy_decompress(&decompressor);
        return errors.Manager.msg_code;
    }
    jpeg_create_decompress(&decompressor);
    AttachMemorySource(&decompressor, &source, data, size);
    jpeg_read_header(&decompressor, TRUE);
    header->Width = static_cast<int>(decompressor.image_width);
    header->Height = static_cast<int>(decompressor.image_height);
    header->Grayscale = decompressor.jpeg_color_space == JCS_GRAYSCALE;
    header->Progressive = jpeg_has_multiple_scans(&decompressor);
    jpeg_destroy_decompress(&decompressor);
    return 0;
}

// Sizes the bitmap once the output is known. Returns its first row, or null when the
// memory cannot be had. Never throws: it is called between libjpeg calls.
unsigned char* SizeBitmap(JpegBitmap* bitmap, const jpeg_decompress_struct* decompressor) noexcept
{
    const std::size_t rowBytes =
        std::size_t(decompressor->output_width) * std::size_t(decompressor->output_components);
    const std::size_t bytes = rowBytes * decompressor->output_height;
    if (bytes == 0 || bytes > MemoryLimit)
        return nullptr;
    try {
        bitmap->Pixels.assign(bytes, 0);
        bitmap->Palette.clear();
        if (decompressor->quantize_colors) {
            const bool gray = decompressor->out_color_components == 1;
            for (int i = 0; i < decompressor->actual_number_of_colors; ++i) {
                const JSAMPARRAY map = decompressor->colormap;
                bitmap->Palette.push_back({map[0][i], map[gray ? 0 : 1][i], map[gray ? 0 : 2][i]});
            }
        }
    } catch (const std::bad_alloc&) {
        bitmap->Pixels.clear();
        bitmap->Palette.clear();
        return nullptr;
    }
    bitmap->Width = static_cast<int>(decompressor->output_width);
    bitmap->Height = static_cast<int>(decompressor->output_height);
    bitmap->BitsPerPixel = 8 * decompressor->output_components;
    return bitmap->Pixels.data();
}

int DecodeJpeg(const unsigned char* data, std::size_t size, bool smallColourScreen, JpegBitmap* bitmap)
{
    jpeg_decompress_struct decompressor;
    JpegErrorExit errors;
    JpegMemorySource source;
    PrepareErrorExit(&decompressor, &errors);
    if (setjmp(errors.Exit)) {
        jpeg_destroy_decompress(&decompressor);
        return errors.Manager.msg_code;
    }
    jpeg_create_decompress(&decompressor);
    decompressor.mem->max_memory_to_use = static_cast<long>(MemoryLimit);
    AttachMemorySource(&decompressor, &source, data, size);
    jpeg_read_header(&decompressor, TRUE);

    decompressor.scale_num = 1;
    decompressor.scale_denom = 1;
    decompressor.do_block_smoothing = TRUE;
    // A palette is made from RGB; otherwise colour pictures come out as blue, green,
    // red and a filler byte, the screen's own 32-bit layout, so drawing needs neither a
    // copy nor a conversion. One the library cannot convert (CMYK, say) fails here.
    if (smallColourScreen || decompressor.out_color_space == JCS_GRAYSCALE) {
        if (decompressor.out_color_space != JCS_GRAYSCALE)
            decompressor.out_color_space = JCS_RGB;
        decompressor.quantize_colors = TRUE;
        decompressor.desired_number_of_colors = 236;
    } else {
        decompressor.out_color_space = JCS_EXT_BGRX;
    }

    jpeg_start_decompress(&decompressor);
    unsigned char* pixels = SizeBitmap(bitmap, &decompressor);
    if (pixels == nullptr) {
        errors.Manager.msg_code = JERR_OUT_OF_MEMORY;
        LeaveThroughExit(reinterpret_cast<j_common_ptr>(&decompressor));
    }
    const std::size_t rowBytes =
        std::size_t(decompressor.output_width) * std::size_t(decompressor.output_components);
    while (decompressor.output_scanline < decompressor.output_height) {
        JSAMPROW row = pixels + rowBytes * decompressor.output_scanline;
        jpeg_read_scanlines(&decompressor, &row, 1);
    }
    jpeg_finish_decompress(&decompressor);
    jpeg_destroy_decompress(&decompressor);
    return 0;
}

std::string JpegErrorMessage(int code)
{
    return "JPEG error #" + std::to_string(code);
}

} // namespace

void JpegPicture::LoadFromBytes(std::vector<unsigned char> bytes)
{
    JpegHeader header{};
    if (!bytes.empty()) {
        const int code = ReadJpegHeader(bytes.data(), bytes.size(), &header);
        if (code != 0)
            throw EJPEG(JpegErrorMessage(code));
    }
    bytes_ = std::move(bytes);
    width_ = header.Width;
    height_ = header.Height;
    grayscale_ = header.Grayscale;
    progressive_ = header.Progressive;
}

void JpegPicture::Decode(JpegBitmap& bitmap, bool smallColourScreen) const
{
    bitmap = JpegBitmap{};
    const int code = DecodeJpeg(bytes_.data(), bytes_.size(), smallColourScreen, &bitmap);
    if (code != 0)
        throw EJPEG(JpegErrorMessage(code));
}
