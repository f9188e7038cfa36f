#include "codecs.h"

namespace layer::gdiplus {

namespace {

// The platform's identifiers of its built-in encoders and of the formats they write.
constexpr CLSID encoder_id(DWORD last) { return {0x557CF400u + last, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}}; }
constexpr GUID format_id(DWORD first) { return {first, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}}; }

constexpr BYTE bmp_signature[] = {'B', 'M'};
constexpr BYTE jpeg_signature[] = {0xFF, 0xD8};
constexpr BYTE gif_signatures[] = {'G', 'I', 'F', '8', '7', 'a', 'G', 'I', 'F', '8', '9', 'a'};
constexpr BYTE tiff_signatures[] = {'I', 'I', 0x2A, 0x00, 'M', 'M', 0x00, 0x2A};
constexpr BYTE png_signature[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

} // namespace

std::span<const Codec> encoder_codecs() {
    static const Codec codecs[] = {
        {encoder_id(0), format_id(0xB96B3CAB), u"Built-in BMP Codec", u"BMP", u"*.BMP;*.DIB;*.RLE", u"image/bmp", 1, 2,
         bmp_signature, encode_bmp},
        {encoder_id(1), format_id(0xB96B3CAE), u"Built-in JPEG Codec", u"JPEG", u"*.JPG;*.JPEG;*.JPE;*.JFIF",
         u"image/jpeg", 1, 2, jpeg_signature, encode_jpeg},
        {encoder_id(2), format_id(0xB96B3CB0), u"Built-in GIF Codec", u"GIF", u"*.GIF", u"image/gif", 2, 6,
         gif_signatures, encode_gif},
        {encoder_id(5), format_id(0xB96B3CB1), u"Built-in TIFF Codec", u"TIFF", u"*.TIF;*.TIFF", u"image/tiff", 2, 4,
         tiff_signatures, encode_tiff},
        {encoder_id(6), format_id(0xB96B3CAF), u"Built-in PNG Codec", u"PNG", u"*.PNG", u"image/png", 1, 8,
         png_signature, encode_png},
    };
    return codecs;
}

const Codec* find_encoder(const CLSID& clsid) {
    for (const Codec& codec : encoder_codecs())
        if (codec.clsid == clsid) return &codec;
    return nullptr;
}

} // namespace layer::gdiplus
