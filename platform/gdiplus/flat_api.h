// The thirteen flat entry points of the imaging module, with the platform's argument lists.
#pragma once

#include "flat_types.h"

namespace layer::gdiplus {

Status WINAPI GdiplusStartup(ULONG_PTR* token, const StartupInput* input, StartupOutput* output);
void WINAPI GdiplusShutdown(ULONG_PTR token);
Status WINAPI GdipLoadImageFromStream(IStream* stream, GpImage** image);
Status WINAPI GdipGetImageWidth(GpImage* image, UINT* width);
Status WINAPI GdipGetImageHeight(GpImage* image, UINT* height);
Status WINAPI GdipCreateFromHDC(HDC dc, GpGraphics** graphics);
Status WINAPI GdipDrawImageRectI(GpGraphics* graphics, GpImage* image, INT x, INT y, INT width, INT height);
Status WINAPI GdipDisposeImage(GpImage* image);
Status WINAPI GdipDeleteGraphics(GpGraphics* graphics);
Status WINAPI GdipGetImageEncodersSize(UINT* count, UINT* size);
Status WINAPI GdipGetImageEncoders(UINT count, UINT size, ImageCodecInfo* encoders);
Status WINAPI GdipCreateBitmapFromGdiDib(const BITMAPINFO* info, void* bits, GpBitmap** bitmap);
Status WINAPI GdipSaveImageToFile(GpImage* image, const WCHAR* path, const CLSID* encoder,
                                  const EncoderParameters* parameters);

} // namespace layer::gdiplus
