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

void imaging_startup() {
    ImagingBinding& b = imaging_binding;
    b.com_initialized = SUCCEEDED(CoInitialize(nullptr));
    b.module = LoadLibraryW(Pellux::wide(u"gdiplus.dll"));
    bind(b.GdiplusStartup, b.module, "GdiplusStartup");
    bind(b.GdiplusShutdown, b.module, "GdiplusShutdown");
    bind(b.GdipLoadImageFromStream, b.module, "GdipLoadImageFromStream");
    bind(b.GdipGetImageWidth, b.module, "GdipGetImageWidth");
    bind(b.GdipGetImageHeight, b.module, "GdipGetImageHeight");
    bind(b.GdipCreateFromHDC, b.module, "GdipCreateFromHDC");
    bind(b.GdipDrawImageRectI, b.module, "GdipDrawImageRectI");
    bind(b.GdipDisposeImage, b.module, "GdipDisposeImage");
    bind(b.GdipDeleteGraphics, b.module, "GdipDeleteGraphics");
    bind(b.GdipGetImageEncodersSize, b.module, "GdipGetImageEncodersSize");
    bind(b.GdipGetImageEncoders, b.module, "GdipGetImageEncoders");
    bind(b.GdipCreateBitmapFromGdiDib, b.module, "GdipCreateBitmapFromGdiDib");
    bind(b.GdipSaveImageToFile, b.module, "GdipSaveImageToFile");

    b.ready = false;
    if (!every_entry_bound(b)) return;
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
