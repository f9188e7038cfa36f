// The encoder list and saving a picture to a file.
#include <cstring>
#include <new>
#include <string_view>

#include "codecs.h"
#include "flat_api.h"
#include "picture.h"

namespace layer::gdiplus {

namespace {

std::size_t text_bytes(const char16_t* text) { return (std::u16string_view(text).size() + 1) * sizeof(char16_t); }

// The bytes each encoder's record needs after the array: its texts and its signatures.
std::size_t extra_bytes(const Codec& c) {
    return text_bytes(c.name) + text_bytes(c.description) + text_bytes(c.extensions) + text_bytes(c.mime_type) +
           2 * static_cast<std::size_t>(c.signature_count) * c.signature_size;
}

std::size_t listing_bytes() {
    std::size_t total = 0;
    for (const Codec& c : encoder_codecs()) total += sizeof(ImageCodecInfo) + extra_bytes(c);
    return total;
}

// Copies a text into the tail of the caller's buffer and returns where it now lives.
const WCHAR* place_text(std::uint8_t*& tail, const char16_t* text) {
    const std::size_t bytes = text_bytes(text);
    std::memcpy(tail, text, bytes);
    const auto* placed = reinterpret_cast<const WCHAR*>(tail);
    tail += bytes;
    return placed;
}

bool write_file(const WCHAR* path, const EncodedFile& bytes) {
    const HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < bytes.size()) {
        const DWORD part = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        ok = WriteFile(file, bytes.data() + done, part, &written, nullptr) && written > 0;
        done += written;
    }
    CloseHandle(file);
    return ok;
}

} // namespace

Status WINAPI GdipGetImageEncodersSize(UINT* count, UINT* size) {
    if (!count || !size) return InvalidParameter;
    *count = static_cast<UINT>(encoder_codecs().size());
    *size = static_cast<UINT>(listing_bytes());
    return Ok;
}

Status WINAPI GdipGetImageEncoders(UINT count, UINT size, ImageCodecInfo* encoders) {
    if (!encoders) return InvalidParameter;
    const auto codecs = encoder_codecs();
    if (count != codecs.size() || size != listing_bytes()) return GenericError;
    auto* tail = reinterpret_cast<std::uint8_t*>(encoders + codecs.size());
    for (std::size_t i = 0; i < codecs.size(); ++i) {
        const Codec& c = codecs[i];
        ImageCodecInfo& info = encoders[i];
        info.Clsid = c.clsid;
        info.FormatID = c.format;
        info.CodecName = place_text(tail, c.name);
        info.DllName = nullptr;
        info.FormatDescription = place_text(tail, c.description);
        info.FilenameExtension = place_text(tail, c.extensions);
        info.MimeType = place_text(tail, c.mime_type);
        info.Flags = 0x10007; // encoder, decoder, bitmaps, built in
        info.Version = 1;
        info.SigCount = c.signature_count;
        info.SigSize = c.signature_size;
        const std::size_t signature_bytes = static_cast<std::size_t>(c.signature_count) * c.signature_size;
        std::memcpy(tail, c.signatures, signature_bytes);
        info.SigPattern = tail;
        tail += signature_bytes;
        std::memset(tail, 0xFF, signature_bytes);
        info.SigMask = tail;
        tail += signature_bytes;
    }
    return Ok;
}

Status WINAPI GdipSaveImageToFile(GpImage* image, const WCHAR* path, const CLSID* encoder, const EncoderParameters*) {
    if (!image || !path || !encoder || !live_pictures().contains(image)) return InvalidParameter;
    const Codec* codec = find_encoder(*encoder);
    if (!codec) return UnknownImageFormat;
    try {
        EncodedFile bytes;
        if (!codec->encode(image->raster, bytes)) return GenericError;
        // The reference reports a file it cannot write with the generic error.
        return write_file(path, bytes) ? Ok : GenericError;
    } catch (const std::bad_alloc&) {
        return OutOfMemory;
    }
}

} // namespace layer::gdiplus
