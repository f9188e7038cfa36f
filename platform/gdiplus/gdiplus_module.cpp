// "gdiplus.dll" as a built-in module: the imaging entry points, reachable by name.
#include <layer/builtin_modules.h>

#include "flat_api.h"

namespace layer {

namespace {

// Through the generic function pointer type, which any function pointer converts to and from.
template <typename Function>
FARPROC address_of(Function* function) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

} // namespace

const BuiltinModule& gdiplus_module() {
    using namespace gdiplus;
    static const BuiltinExport exports[] = {
        {"GdipCreateBitmapFromGdiDib", address_of(&GdipCreateBitmapFromGdiDib)},
        {"GdipCreateFromHDC", address_of(&GdipCreateFromHDC)},
        {"GdipDeleteGraphics", address_of(&GdipDeleteGraphics)},
        {"GdipDisposeImage", address_of(&GdipDisposeImage)},
        {"GdipDrawImageRectI", address_of(&GdipDrawImageRectI)},
        {"GdipGetImageEncoders", address_of(&GdipGetImageEncoders)},
        {"GdipGetImageEncodersSize", address_of(&GdipGetImageEncodersSize)},
        {"GdipGetImageHeight", address_of(&GdipGetImageHeight)},
        {"GdipGetImageWidth", address_of(&GdipGetImageWidth)},
        {"GdipLoadImageFromStream", address_of(&GdipLoadImageFromStream)},
        {"GdipSaveImageToFile", address_of(&GdipSaveImageToFile)},
        {"GdiplusShutdown", address_of(&GdiplusShutdown)},
        {"GdiplusStartup", address_of(&GdiplusStartup)},
    };
    static const BuiltinModule module{u"gdiplus.dll", exports, std::size(exports)};
    return module;
}

} // namespace layer
