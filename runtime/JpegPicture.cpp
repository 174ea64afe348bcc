#include "runtime/JpegPicture.h"

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <new>
#include <string>

#include "runtime/Errors.h"
#include "runtime/JpegMemorySource.h"
#include "runtime/PictureFile.h"

#include <jerror.h>

// libjpeg leaves through longjmp on a fatal error, so the functions below that call
// setjmp stay C-like: no object with a destructor lives across them, every path ends
// in jpeg_destroy_decompress, and they report failure as libjpeg's message code.
// The C++ error object is built by their callers, after they have returned.

namespace {

// What a screen bitmap of the output takes, and what libjpeg's whole-picture
// coefficient store may take besides, before it is refused as out of memory.
constexpr std::size_t ScreenBytesPerPixel = 4;
constexpr std::size_t MostWorkBytes = 2 * PictureMemoryLimit;
// A file larger than this cannot be a picture within the cap: no real JPEG takes
// more bytes than its own 32-bit bitmap.
constexpr std::size_t LargestFile = PictureMemoryLimit;

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

struct ScanLimit {
    jpeg_progress_mgr Manager; // first, so libjpeg's pointer to it is a pointer to the whole
    int Allowed;
};

int ScansAllowed(const jpeg_decompress_struct* decompressor)
{
    long long blocks = 1;
    for (int i = 0; i < decompressor->num_components; ++i)
        blocks += static_cast<long long>(decompressor->comp_info[i].width_in_blocks)
                  * decompressor->comp_info[i].height_in_blocks;
    return static_cast<int>(std::clamp<long long>(ScanBlockBudget / blocks, LeastScansAllowed, MostScans));
}

void StopAfterTooManyScans(j_common_ptr info)
{
    const auto* limit = reinterpret_cast<const ScanLimit*>(info->progress);
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > limit->Allowed)
        ERREXIT(info, JERR_BAD_PROGRESSION);
}

// libjpeg keeps every coefficient of a file with several scans until the last one has
// been read: 64 of JCOEF for each block of each component, in whole rows of MCUs.
std::size_t CoefficientBytes(const jpeg_decompress_struct* decompressor)
{
    if (!jpeg_has_multiple_scans(const_cast<j_decompress_ptr>(decompressor)))
        return 0;
    std::size_t bytes = 0;
    for (int i = 0; i < decompressor->num_components; ++i) {
        const jpeg_component_info& component = decompressor->comp_info[i];
        const std::size_t blocks = (std::size_t(component.width_in_blocks) + std::size_t(component.h_samp_factor))
                                   * (std::size_t(component.height_in_blocks) + std::size_t(component.v_samp_factor));
        bytes += blocks * DCTSIZE2 * sizeof(JCOEF);
    }
    return bytes;
}

// Checked once the output size is known and before decompression starts, which is
// where libjpeg and the bitmap would take their memory.
bool WithinMemoryCap(const jpeg_decompress_struct* decompressor)
{
    const std::size_t screenBytes =
        std::size_t(decompressor->output_width) * std::size_t(decompressor->output_height) * ScreenBytesPerPixel;
    return screenBytes <= PictureMemoryLimit && CoefficientBytes(decompressor) <= MostWorkBytes;
}

bool InksOutput(const jpeg_decompress_struct* decompressor)
{
    return decompressor->out_color_space == JCS_CMYK;
}

// CMYK as Adobe writes it, each ink inverted (255 = none), turned in place into blue,
// green, red and filler. Files without Adobe's marker are rare and read the same way.
void InksToScreenLayout(unsigned char* row, std::size_t pixels)
{
    for (std::size_t i = 0; i < pixels; ++i, row += 4) {
        const unsigned c = row[0], m = row[1], y = row[2], k = row[3];
        row[0] = static_cast<unsigned char>((y * k + 127) / 255);
        row[1] = static_cast<unsigned char>((m * k + 127) / 255);
        row[2] = static_cast<unsigned char>((c * k + 127) / 255);
        row[3] = 0xFF;
    }
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
    if (bytes == 0)
        return nullptr;
    try {
        bitmap->Pixels.resize(bytes);
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
    ScanLimit scans;
    PrepareErrorExit(&decompressor, &errors);
    if (setjmp(errors.Exit)) {
        jpeg_destroy_decompress(&decompressor);
        return errors.Manager.msg_code;
    }
    jpeg_create_decompress(&decompressor);
    // A backstop only: the cap below is checked from the header before any of this is
    // wanted, and beyond it libjpeg would ask for a backing store it does not have.
    decompressor.mem->max_memory_to_use = static_cast<long>(PictureMemoryLimit + MostWorkBytes);
    AttachMemorySource(&decompressor, &source, data, size);
    jpeg_read_header(&decompressor, TRUE);
    scans.Manager.progress_monitor = StopAfterTooManyScans;
    scans.Allowed = ScansAllowed(&decompressor);
    decompressor.progress = &scans.Manager;

    decompressor.scale_num = 1;
    decompressor.scale_denom = 1;
    decompressor.do_block_smoothing = TRUE;
    // A palette is made from RGB; otherwise colour pictures come out as blue, green,
    // red and a filler byte, the screen's own 32-bit layout, so drawing needs neither a
    // copy nor a conversion. Inks come out as CMYK, four bytes a pixel too, and are
    // turned into that layout row by row.
    if (decompressor.jpeg_color_space == JCS_CMYK || decompressor.jpeg_color_space == JCS_YCCK) {
        decompressor.out_color_space = JCS_CMYK;
    } else if (smallColourScreen || decompressor.out_color_space == JCS_GRAYSCALE) {
        if (decompressor.out_color_space != JCS_GRAYSCALE)
            decompressor.out_color_space = JCS_RGB;
        decompressor.quantize_colors = TRUE;
        decompressor.desired_number_of_colors = 236;
    } else {
        decompressor.out_color_space = JCS_EXT_BGRX;
    }
    jpeg_calc_output_dimensions(&decompressor);
    if (!WithinMemoryCap(&decompressor))
        ERREXIT1(&decompressor, JERR_OUT_OF_MEMORY, 0);

    jpeg_start_decompress(&decompressor);
    unsigned char* pixels = SizeBitmap(bitmap, &decompressor);
    if (pixels == nullptr)
        ERREXIT1(&decompressor, JERR_OUT_OF_MEMORY, 1);
    const std::size_t rowBytes =
        std::size_t(decompressor.output_width) * std::size_t(decompressor.output_components);
    while (decompressor.output_scanline < decompressor.output_height) {
        JSAMPROW row = pixels + rowBytes * decompressor.output_scanline;
        if (jpeg_read_scanlines(&decompressor, &row, 1) == 1 && InksOutput(&decompressor))
            InksToScreenLayout(row, decompressor.output_width);
        bitmap->DecodedRows = static_cast<int>(decompressor.output_scanline);
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

void JpegPicture::LoadFromFile(std::string_view name)
{
    PictureFileBytes file = ReadPictureFileUpTo(name, LargestFile);
    if (!file.Whole) {
        JpegHeader header{};
        const int code = ReadJpegHeader(file.Bytes.data(), file.Bytes.size(), &header);
        throw EJPEG(JpegErrorMessage(code != 0 ? code : JERR_OUT_OF_MEMORY));
    }
    LoadFromBytes(std::move(file.Bytes));
}

void JpegPicture::Decode(JpegBitmap& bitmap, bool smallColourScreen) const
{
    bitmap = JpegBitmap{};
    const int code = DecodeJpeg(bytes_.data(), bytes_.size(), smallColourScreen, &bitmap);
    if (code != 0)
        throw EJPEG(JpegErrorMessage(code));
}
