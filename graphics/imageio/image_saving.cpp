#include "image_saving.h"

#include <array>
#include <cstring>
#include <string_view>
#include <vector>

#include "graph_state.h"
#include "graph_wnd.h"
#include "image.h"
#include "imaging_binding.h"

namespace {

using Pellux::Imaging::GpBitmap;
using Pellux::Imaging::ImageCodecInfo;
using Pellux::Imaging::Ok;

struct FormatByExtension {
    std::u16string_view extension;
    std::u16string_view mime_type;
};

constexpr std::array<FormatByExtension, 9> formats{{
    {u"png", u"image/png"},
    {u"bmp", u"image/bmp"},
    {u"dib", u"image/bmp"},
    {u"jpg", u"image/jpeg"},
    {u"jpeg", u"image/jpeg"},
    {u"jpe", u"image/jpeg"},
    {u"jfif", u"image/jpeg"},
    {u"tif", u"image/tiff"},
    {u"tiff", u"image/tiff"},
}};

std::u16string_view text_of(const WCHAR* text) {
    const auto* chars = reinterpret_cast<const char16_t*>(text);
    return chars ? std::u16string_view(chars) : std::u16string_view();
}

char16_t lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool same_ignoring_case(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

// The MIME type of the format that the path's extension names; empty when none is known.
std::u16string_view mime_type_for(std::u16string_view path) {
    const std::size_t dot = path.find_last_of(u'.');
    const std::size_t separator = path.find_last_of(u"\\/");
    if (dot == std::u16string_view::npos || (separator != std::u16string_view::npos && dot < separator)) return {};
    const std::u16string_view extension = path.substr(dot + 1);
    for (const FormatByExtension& format : formats)
        if (same_ignoring_case(extension, format.extension)) return format.mime_type;
    return {};
}

// Finds the imaging library's encoder for a MIME type. Call under the library lock.
bool find_encoder(std::u16string_view mime_type, CLSID& encoder) {
    const ImagingBinding& im = imaging_binding;
    UINT count = 0;
    UINT bytes = 0;
    if (im.GdipGetImageEncodersSize(&count, &bytes) != Ok || count == 0 || bytes < count * sizeof(ImageCodecInfo))
        return false;
    // Aligned storage: the records hold pointers into the same buffer.
    std::vector<ImageCodecInfo> storage((bytes + sizeof(ImageCodecInfo) - 1) / sizeof(ImageCodecInfo));
    if (im.GdipGetImageEncoders(count, bytes, storage.data()) != Ok) return false;
    for (UINT i = 0; i < count; ++i) {
        if (same_ignoring_case(text_of(storage[i].MimeType), mime_type)) {
            encoder = storage[i].Clsid;
            return true;
        }
    }
    return false;
}

bool file_exists(const WCHAR* path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

} // namespace

bool save_image(const IMAGE* image, const WCHAR* path) {
    const ImagingBinding& im = imaging_binding;
    const IMAGE* source = image ? image : graph_state.window.get();
    if (!source || !path || !im.ready) return false;
    const std::u16string_view mime_type = mime_type_for(text_of(path));
    if (mime_type.empty()) return false;

    const bool existed = file_exists(path);
    bool saved = false;
    {
        // The window thread reads the window surface under the same lock, and drawing changes it.
        LibraryLock lock;
        if (!source->buffer || source->width <= 0 || source->height <= 0) return false;
        CLSID encoder{};
        if (!find_encoder(mime_type, encoder)) return false;

        // The imaging library may keep the bits it is given; hand it a copy that outlives it.
        const std::size_t count = static_cast<std::size_t>(source->width) * source->height;
        std::vector<DWORD> pixels(source->buffer, source->buffer + count);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = source->width;
        info.bmiHeader.biHeight = -source->height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        GpBitmap* bitmap = nullptr;
        if (im.GdipCreateBitmapFromGdiDib(&info, pixels.data(), &bitmap) == Ok && bitmap) {
            saved = im.GdipSaveImageToFile(bitmap, path, &encoder, nullptr) == Ok;
            im.GdipDisposeImage(bitmap);
        }
    }
    // A failed save must not leave a half-written file that was not there before.
    if (!saved && !existed) DeleteFileW(path);
    return saved;
}
