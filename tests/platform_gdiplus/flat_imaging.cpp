#include "flat_imaging.h"

#include <cstdio>
#include <cstring>

#include "png_writer.h"

namespace flat {

namespace {

template <typename Entry>
void bind(Entry& field, HMODULE module, const char* name) {
    field = reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

Entries load_entries() {
    CoInitialize(nullptr);
    Entries e;
    HMODULE module = LoadLibraryW(Pellux::wide(u"gdiplus.dll"));
    if (!module) return e;
    bind(e.GdiplusStartup, module, "GdiplusStartup");
    bind(e.GdiplusShutdown, module, "GdiplusShutdown");
    bind(e.GdipLoadImageFromStream, module, "GdipLoadImageFromStream");
    bind(e.GdipGetImageWidth, module, "GdipGetImageWidth");
    bind(e.GdipGetImageHeight, module, "GdipGetImageHeight");
    bind(e.GdipCreateFromHDC, module, "GdipCreateFromHDC");
    bind(e.GdipDrawImageRectI, module, "GdipDrawImageRectI");
    bind(e.GdipDisposeImage, module, "GdipDisposeImage");
    bind(e.GdipDeleteGraphics, module, "GdipDeleteGraphics");
    bind(e.GdipGetImageEncodersSize, module, "GdipGetImageEncodersSize");
    bind(e.GdipGetImageEncoders, module, "GdipGetImageEncoders");
    bind(e.GdipCreateBitmapFromGdiDib, module, "GdipCreateBitmapFromGdiDib");
    bind(e.GdipSaveImageToFile, module, "GdipSaveImageToFile");
    if (e.GdiplusStartup) {
        const StartupInput input{1, nullptr, FALSE, FALSE};
        ULONG_PTR token = 0;
        e.GdiplusStartup(&token, &input, nullptr);
    }
    return e;
}

} // namespace

const Entries& entries() {
    static const Entries bound = load_entries();
    return bound;
}

IStream* stream_over(const std::vector<std::uint8_t>& bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!block) return nullptr;
    if (!bytes.empty()) {
        std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
        GlobalUnlock(block);
    }
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream))) {
        GlobalFree(block);
        return nullptr;
    }
    return stream;
}

std::vector<std::uint8_t> read_file(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return bytes;
    int c;
    while ((c = std::fgetc(f)) != EOF) bytes.push_back(static_cast<std::uint8_t>(c));
    std::fclose(f);
    return bytes;
}

std::vector<std::uint8_t> fixture(const std::string& name) {
    auto bytes = read_file("fixtures/" + name);
    EXPECT_FALSE(bytes.empty()) << "fixture " << name << " is missing";
    return bytes;
}

GpImage* decode(const std::vector<std::uint8_t>& bytes, Status* status) {
    IStream* stream = stream_over(bytes);
    GpImage* picture = nullptr;
    const Status result = entries().GdipLoadImageFromStream(stream, &picture);
    if (stream) stream->Release();
    if (status) *status = result;
    return result == Ok ? picture : nullptr;
}

std::vector<std::uint8_t> png_of(const std::vector<std::uint32_t>& argb, int width, int height) {
    // The writer keeps 255 minus the spare byte as alpha.
    std::vector<std::uint32_t> spare(argb.size());
    for (std::size_t i = 0; i < argb.size(); ++i) spare[i] = (argb[i] & 0xFFFFFF) | ((255 - (argb[i] >> 24)) << 24);
    return scenes::encode_png(spare.data(), width, height);
}

Surface::Surface(int width, int height, std::uint32_t fill) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    pixels_ = static_cast<std::uint32_t*>(bits);
    dc_ = CreateCompatibleDC(nullptr);
    replaced_ = SelectObject(dc_, bitmap_);
    for (int i = 0; i < width * height; ++i) pixels_[i] = fill;
}

Surface::~Surface() {
    SelectObject(dc_, replaced_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
}

Status Surface::draw(GpImage* picture, int x, int y, int w, int h) {
    const Entries& e = entries();
    GpGraphics* graphics = nullptr;
    const Status made = e.GdipCreateFromHDC(dc_, &graphics);
    if (made != Ok) return made;
    const Status drawn = e.GdipDrawImageRectI(graphics, picture, x, y, w, h);
    e.GdipDeleteGraphics(graphics);
    GdiFlush();
    return drawn;
}

std::string hex(const std::vector<std::uint32_t>& pixels) {
    std::string out;
    char part[12];
    for (std::uint32_t p : pixels) {
        std::snprintf(part, sizeof part, "%08x ", static_cast<unsigned>(p));
        out += part;
    }
    if (!out.empty()) out.pop_back();
    return out;
}

} // namespace flat
