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

// Trace messages are dropped; warnings (data that ends early or is corrupt, which
// libjpeg gets over) are only counted, for those who want a picture whole and sound.
void CountWarning(j_common_ptr info, int level)
{
    if (level < 0)
        ++info->err->num_warnings;
}

void PrepareErrorExit(jpeg_decompress_struct* decompressor, JpegErrorExit* errors)
{
    std::memset(decompressor, 0, sizeof *decompressor);
    decompressor->err = jpeg_std_error(&errors->Manager);
    errors->Manager.error_exit = LeaveThroughExit;
    errors->Manager.output_message = DiscardMessage;
    errors->Manager.emit_message = CountWarning;
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

// The part of `wanted` that lies in a width x height picture; empty when none does.
JpegRegion Clipped(JpegRegion wanted, long long width, long long height)
{
    const long long left = std::max<long long>(wanted.Left, 0);
    const long long top = std::max<long long>(wanted.Top, 0);
    const long long right = std::min<long long>(static_cast<long long>(wanted.Left) + wanted.Width, width);
    const long long bottom = std::min<long long>(static_cast<long long>(wanted.Top) + wanted.Height, height);
    if (right <= left || bottom <= top)
        return {};
    return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
            static_cast<int>(bottom - top)};
}

// Sizes the bitmap for the region once the output is known. Returns false when the
// memory cannot be had. Never throws: it is called between libjpeg calls.
bool SizeBitmap(JpegBitmap* bitmap, const jpeg_decompress_struct* decompressor, JpegRegion region) noexcept
{
    const std::size_t bytes =
        std::size_t(region.Width) * std::size_t(decompressor->output_components) * std::size_t(region.Height);
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
        return false;
    }
    bitmap->Left = region.Left;
    bitmap->Top = region.Top;
    bitmap->Width = region.Width;
    bitmap->Height = region.Height;
    bitmap->BitsPerPixel = 8 * decompressor->output_components;
    return true;
}

// Narrows the decoder's output to the columns of the region and a margin of MCUs on
// either side: libjpeg starts a cropped row on an MCU boundary and upsamples its edges as
// the picture's own, so the columns next to a cut differ from a whole decode; and block
// smoothing, for a progressive file whose later scans are missing, takes the two blocks
// left of a cut as copies of its first. Returns the first column the decoder now delivers.
JDIMENSION CropToRegion(jpeg_decompress_struct* decompressor, JpegRegion region)
{
    const long long mcu = static_cast<long long>(decompressor->max_h_samp_factor) * decompressor->min_DCT_scaled_size;
    const long long left = std::max<long long>(region.Left - 3 * mcu, 0);
    const long long right =
        std::min<long long>(static_cast<long long>(region.Left) + region.Width + mcu, decompressor->output_width);
    JDIMENSION first = static_cast<JDIMENSION>(left);
    JDIMENSION width = static_cast<JDIMENSION>(right - left);
    jpeg_crop_scanline(decompressor, &first, &width);
    return first;
}

int DecodeJpeg(const unsigned char* data, std::size_t size, bool smallColourScreen, JpegRegion wanted,
               JpegBitmap* bitmap)
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
    const JpegRegion region = Clipped(wanted, decompressor.output_width, decompressor.output_height);
    if (!SizeBitmap(bitmap, &decompressor, region))
        ERREXIT1(&decompressor, JERR_OUT_OF_MEMORY, 1);
    const JDIMENSION height = decompressor.output_height;
    const JDIMENSION top = region.Height > 0 ? JDIMENSION(region.Top) : height;
    const JDIMENSION bottom = region.Height > 0 ? JDIMENSION(region.Top + region.Height) : height;
    // Dithering to a palette carries each pixel's error into the next row and column, so
    // a paletted picture is decoded whole and only the region kept. Otherwise whole MCU
    // rows above and below the region, and the columns beside it, are skipped: their
    // data is still read, but not turned into pixels. Skips start and end on MCU rows
    // (libjpeg 2.1 upsamples wrongly after a skip that starts inside one) and keep one
    // MCU row above the region, whose upsampling needs the row before it.
    const bool skipping = !decompressor.quantize_colors;
    const JDIMENSION first = skipping && region.Width > 0 ? CropToRegion(&decompressor, region) : 0;
    const JDIMENSION mcuRows = JDIMENSION(decompressor.max_v_samp_factor * decompressor.min_DCT_scaled_size);
    // The last MCU row is always read, so that the decoder goes through the data to its
    // end as a whole decode does, with the same errors.
    const JDIMENSION lastMcuRow = (height - 1) / mcuRows * mcuRows;
    if (skipping && top > mcuRows)
        jpeg_skip_scanlines(&decompressor, std::min((top - mcuRows) / mcuRows * mcuRows, lastMcuRow));

    const std::size_t components = std::size_t(decompressor.output_components);
    const std::size_t regionRowBytes = std::size_t(region.Width) * components;
    const std::size_t offset = (std::size_t(region.Left) - first) * components;
    const bool inPlace = offset == 0 && region.Width == int(decompressor.output_width);
    const JSAMPARRAY scratch = (*decompressor.mem->alloc_sarray)(
        reinterpret_cast<j_common_ptr>(&decompressor), JPOOL_IMAGE,
        decompressor.output_width * JDIMENSION(decompressor.output_components), 1);
    while (decompressor.output_scanline < height) {
        const JDIMENSION y = decompressor.output_scanline;
        if (skipping && y >= bottom && y % mcuRows == 0 && y < lastMcuRow) {
            jpeg_skip_scanlines(&decompressor, lastMcuRow - y);
            bitmap->ScanlinesRead = static_cast<int>(decompressor.output_scanline);
            continue;
        }
        const bool kept = y >= top && y < bottom;
        unsigned char* target = kept ? bitmap->Pixels.data() + regionRowBytes * (y - top) : nullptr;
        JSAMPROW row = kept && inPlace ? target : scratch[0];
        if (jpeg_read_scanlines(&decompressor, &row, 1) == 1 && kept) {
            if (InksOutput(&decompressor))
                InksToScreenLayout(row + offset, std::size_t(region.Width));
            if (!inPlace)
                std::memcpy(target, row + offset, regionRowBytes);
            bitmap->DecodedRows = static_cast<int>(decompressor.output_scanline - top);
        }
        bitmap->ScanlinesRead = static_cast<int>(decompressor.output_scanline);
    }
    jpeg_finish_decompress(&decompressor);
    bitmap->Warnings = static_cast<int>(errors.Manager.num_warnings);
    jpeg_destroy_decompress(&decompressor);
    return 0;
}

std::string JpegErrorMessage(int code)
{
    return "JPEG error #" + std::to_string(code);
}

enum class FrameHeader { Within, Beyond, NotYet };

// Walks the segments after the start-of-image marker as the decoder would, to see
// whether the frame header starts within MostBytesBeforeFrame bytes. Bytes that do not
// start a JPEG stream, or that reach a scan or the end of the image first, count as
// Within: reading the header judges those.
FrameHeader FindFrameHeader(const unsigned char* data, std::size_t size)
{
    if (size >= 2 && (data[0] != 0xFF || data[1] != 0xD8))
        return FrameHeader::Within;
    std::size_t i = 2;
    while (i < size) {
        if (i > MostBytesBeforeFrame)
            return FrameHeader::Beyond;
        if (data[i] != 0xFF) { // not a marker: the decoder skips it
            ++i;
            continue;
        }
        while (i < size && data[i] == 0xFF) // fill bytes
            ++i;
        if (i == size)
            break;
        const unsigned marker = data[i++];
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame || marker == 0xDA || marker == JPEG_EOI)
            return FrameHeader::Within;
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) // no length
            continue;
        if (i + 2 > size)
            break;
        const std::size_t length = std::size_t(data[i]) << 8 | data[i + 1];
        if (length < 2)
            return FrameHeader::Within;
        i += length;
    }
    return i > MostBytesBeforeFrame ? FrameHeader::Beyond : FrameHeader::NotYet;
}

} // namespace

void JpegPicture::LoadFromBytes(std::vector<unsigned char> bytes)
{
    if (FindFrameHeader(bytes.data(), bytes.size()) == FrameHeader::Beyond)
        throw EJPEG(JpegErrorMessage(JERR_OUT_OF_MEMORY));
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
    // Read no further than the frame header once it is known to start beyond the limit.
    bool seen = false;
    bool beyond = false;
    PictureFileBytes file = ReadPictureFileUpTo(name, LargestFile, [&](const std::vector<unsigned char>& head) {
        if (!seen) {
            const FrameHeader frame = FindFrameHeader(head.data(), head.size());
            seen = frame == FrameHeader::Within;
            beyond = frame == FrameHeader::Beyond;
        }
        return !beyond;
    });
    if (beyond)
        throw EJPEG(JpegErrorMessage(JERR_OUT_OF_MEMORY));
    if (!file.Whole) {
        JpegHeader header{};
        const int code = ReadJpegHeader(file.Bytes.data(), file.Bytes.size(), &header);
        throw EJPEG(JpegErrorMessage(code != 0 ? code : JERR_OUT_OF_MEMORY));
    }
    LoadFromBytes(std::move(file.Bytes));
}

void JpegPicture::Decode(JpegBitmap& bitmap, bool smallColourScreen, JpegRegion region) const
{
    bitmap = JpegBitmap{};
    const int code = DecodeJpeg(bytes_.data(), bytes_.size(), smallColourScreen, region, &bitmap);
    if (code != 0)
        throw EJPEG(JpegErrorMessage(code));
}
