#include "runtime/JpegMemorySource.h"

#include <jerror.h>

namespace {

const JOCTET EndOfImage[2] = {0xFF, JPEG_EOI};

JpegMemorySource* SourceOf(j_decompress_ptr decompressor)
{
    return reinterpret_cast<JpegMemorySource*>(decompressor->src);
}

void InitSource(j_decompress_ptr) {}

void TermSource(j_decompress_ptr) {}

boolean FillInputBuffer(j_decompress_ptr decompressor)
{
    JpegMemorySource* source = SourceOf(decompressor);
    if (!source->Delivered && source->Size > 0) {
        source->Delivered = true;
        source->Manager.next_input_byte = source->Data;
        source->Manager.bytes_in_buffer = source->Size;
        return TRUE;
    }
    if (!source->Delivered)
        ERREXIT(decompressor, JERR_INPUT_EMPTY);
    WARNMS(decompressor, JWRN_JPEG_EOF);
    source->Manager.next_input_byte = EndOfImage;
    source->Manager.bytes_in_buffer = sizeof EndOfImage;
    return TRUE;
}

void SkipInputData(j_decompress_ptr decompressor, long count)
{
    if (count <= 0)
        return;
    jpeg_source_mgr& manager = SourceOf(decompressor)->Manager;
    auto remaining = static_cast<std::size_t>(count);
    while (remaining > manager.bytes_in_buffer) {
        remaining -= manager.bytes_in_buffer;
        FillInputBuffer(decompressor);
    }
    manager.next_input_byte += remaining;
    manager.bytes_in_buffer -= remaining;
}

} // namespace

void AttachMemorySource(j_decompress_ptr decompressor, JpegMemorySource* source,
                        const unsigned char* data, std::size_t size)
{
    source->Manager.init_source = InitSource;
    source->Manager.fill_input_buffer = FillInputBuffer;
    source->Manager.skip_input_data = SkipInputData;
    source->Manager.resync_to_restart = jpeg_resync_to_restart;
    source->Manager.term_source = TermSource;
    source->Manager.next_input_byte = nullptr;
    source->Manager.bytes_in_buffer = 0;
    source->Data = data;
    source->Size = size;
    source->Delivered = false;
    decompressor->src = &source->Manager;
}
