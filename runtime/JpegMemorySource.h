// A libjpeg data source that reads bytes already held in memory.
//
// When the bytes run out it behaves like a file at its end: if nothing at all could
// be read the decoder fails with its empty-input error; otherwise it gets the
// premature-end warning and an end-of-image marker, so a truncated picture decodes
// as far as its data goes.
#pragma once

#include <cstddef>
#include <cstdio>
#include <jpeglib.h>

struct JpegMemorySource {
    jpeg_source_mgr Manager; // first, so libjpeg's pointer to it is a pointer to the whole
    const JOCTET* Data;
    std::size_t Size;
    bool Delivered;
};

// Makes `source` the decompressor's data source over `size` bytes at `data`. The
// bytes and `source` must outlive the decompressor's use of them.
void AttachMemorySource(j_decompress_ptr decompressor, JpegMemorySource* source,
                        const unsigned char* data, std::size_t size);
