// ImagingBinding: the imaging library's entry points, bound by name when the library starts.
#pragma once

#include "imaging_api.h"

struct ImagingBinding {
    Pellux::Imaging::GdiplusStartupProc GdiplusStartup;
    Pellux::Imaging::GdiplusShutdownProc GdiplusShutdown;
    Pellux::Imaging::LoadImageFromStreamProc GdipLoadImageFromStream;
    Pellux::Imaging::GetImageWidthProc GdipGetImageWidth;
    Pellux::Imaging::GetImageHeightProc GdipGetImageHeight;
    Pellux::Imaging::CreateFromHDCProc GdipCreateFromHDC;
    Pellux::Imaging::DrawImageRectIProc GdipDrawImageRectI;
    Pellux::Imaging::DisposeImageProc GdipDisposeImage;
    Pellux::Imaging::DeleteGraphicsProc GdipDeleteGraphics;
    Pellux::Imaging::GetImageEncodersSizeProc GdipGetImageEncodersSize;
    Pellux::Imaging::GetImageEncodersProc GdipGetImageEncoders;
    Pellux::Imaging::CreateBitmapFromGdiDibProc GdipCreateBitmapFromGdiDib;
    Pellux::Imaging::SaveImageToFileProc GdipSaveImageToFile;
    HMODULE module;
    ULONG_PTR token;
    // Whether CoInitialize succeeded, so that shutdown balances exactly what start-up did.
    bool com_initialized;
    // True only while every entry point is bound and the imaging library has started: a missing
    // library, a missing entry point or a failed start-up turns every load and save into a no-op
    // instead of a call through an empty entry.
    bool ready;
};

// The one binding of the process. Zero until imaging_startup; plain data, so it is usable from
// other objects' static initialisers and at process exit.
extern ImagingBinding imaging_binding;

// Binds the thirteen entry points of module into binding by name (all empty for a null module).
// True when every one of them was found.
bool bind_imaging_entries(ImagingBinding& binding, HMODULE module);

// Called by library_startup (after the lock is prepared) and library_teardown (before the lock
// is deleted), once each.
void imaging_startup();
void imaging_shutdown();
