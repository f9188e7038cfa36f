// "gdiplus.dll" as a built-in module: the imaging entry points, reachable by name.
#include <layer/builtin_modules.h>

#include "flat_api.h"

namespace layer {

const BuiltinModule& gdiplus_module() {
    using namespace gdiplus;
    static const BuiltinExport exports[] = {
        {"GdipCreateBitmapFromGdiDib", export_address(&GdipCreateBitmapFromGdiDib)},
        {"GdipCreateFromHDC", export_address(&GdipCreateFromHDC)},
        {"GdipDeleteGraphics", export_address(&GdipDeleteGraphics)},
        {"GdipDisposeImage", export_address(&GdipDisposeImage)},
        {"GdipDrawImageRectI", export_address(&GdipDrawImageRectI)},
        {"GdipGetImageEncoders", export_address(&GdipGetImageEncoders)},
        {"GdipGetImageEncodersSize", export_address(&GdipGetImageEncodersSize)},
        {"GdipGetImageHeight", export_address(&GdipGetImageHeight)},
        {"GdipGetImageWidth", export_address(&GdipGetImageWidth)},
        {"GdipLoadImageFromStream", export_address(&GdipLoadImageFromStream)},
        {"GdipSaveImageToFile", export_address(&GdipSaveImageToFile)},
        {"GdiplusShutdown", export_address(&GdiplusShutdown)},
        {"GdiplusStartup", export_address(&GdiplusStartup)},
    };
    static const BuiltinModule module{u"gdiplus.dll", exports, std::size(exports)};
    return module;
}

} // namespace layer
