#include "imaging_binding.h"

ImagingBinding imaging_binding{};

namespace {

template <typename Entry>
void bind(Entry& field, HMODULE module, const char* name) {
    const FARPROC address = module ? GetProcAddress(module, name) : nullptr;
    // Through a plain function-pointer type: the entry's real type is only known here.
    field = reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(address));
}

bool every_entry_bound(const ImagingBinding& b) {
    return b.GdiplusStartup && b.GdiplusShutdown && b.GdipLoadImageFromStream && b.GdipGetImageWidth &&
           b.GdipGetImageHeight && b.GdipCreateFromHDC && b.GdipDrawImageRectI && b.GdipDisposeImage &&
           b.GdipDeleteGraphics && b.GdipGetImageEncodersSize && b.GdipGetImageEncoders &&
           b.GdipCreateBitmapFromGdiDib && b.GdipSaveImageToFile;
}

} // namespace

bool bind_imaging_entries(ImagingBinding& b, HMODULE module) {
    bind(b.GdiplusStartup, module, "GdiplusStartup");
    bind(b.GdiplusShutdown, module, "GdiplusShutdown");
    bind(b.GdipLoadImageFromStream, module, "GdipLoadImageFromStream");
    bind(b.GdipGetImageWidth, module, "GdipGetImageWidth");
    bind(b.GdipGetImageHeight, module, "GdipGetImageHeight");
    bind(b.GdipCreateFromHDC, module, "GdipCreateFromHDC");
    bind(b.GdipDrawImageRectI, module, "GdipDrawImageRectI");
    bind(b.GdipDisposeImage, module, "GdipDisposeImage");
    bind(b.GdipDeleteGraphics, module, "GdipDeleteGraphics");
    bind(b.GdipGetImageEncodersSize, module, "GdipGetImageEncodersSize");
    bind(b.GdipGetImageEncoders, module, "GdipGetImageEncoders");
    bind(b.GdipCreateBitmapFromGdiDib, module, "GdipCreateBitmapFromGdiDib");
    bind(b.GdipSaveImageToFile, module, "GdipSaveImageToFile");
    return every_entry_bound(b);
}

void imaging_startup() {
    ImagingBinding& b = imaging_binding;
    b.com_initialized = SUCCEEDED(CoInitialize(nullptr));
    b.module = LoadLibraryW(Pellux::wide(u"gdiplus.dll"));
    b.ready = false;
    if (!bind_imaging_entries(b, b.module)) return;
    const Pellux::Imaging::StartupInput input{1, nullptr, FALSE, FALSE};
    b.ready = b.GdiplusStartup(&b.token, &input, nullptr) == Pellux::Imaging::Ok;
}

void imaging_shutdown() {
    ImagingBinding& b = imaging_binding;
    // COM goes first, then the imaging library, as start-up's mirror image.
    if (b.com_initialized) {
        b.com_initialized = false;
        CoUninitialize();
    }
    if (b.ready) {
        b.ready = false;
        b.GdiplusShutdown(b.token);
    }
}
