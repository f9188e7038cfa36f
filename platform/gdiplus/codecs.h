// The picture formats the module can save, described as the imaging library lists its encoders.
#pragma once

#include <span>

#include "encoders.h"
#include "flat_types.h"

namespace layer::gdiplus {

struct Codec {
    CLSID clsid;
    GUID format;
    const char16_t* name;
    const char16_t* description;
    const char16_t* extensions;
    const char16_t* mime_type;
    DWORD signature_count;
    DWORD signature_size;
    const BYTE* signatures; // signature_count patterns of signature_size bytes
    bool (*encode)(const Raster&, EncodedFile&);
};

// The encoders, in the order the platform lists them.
std::span<const Codec> encoder_codecs();
const Codec* find_encoder(const CLSID& clsid);

} // namespace layer::gdiplus
