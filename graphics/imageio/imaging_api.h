// The imaging library's flat entry points that the library binds by name, with the argument
// lists the imaging library publishes. Declared here, not taken from a platform header, so that
// every target binds exactly the same thirteen signatures.
#pragma once

#include "platform_api.h"

namespace Pellux::Imaging {

// Status codes returned by every entry point except the shutdown.
enum Status : int {
    Ok = 0,
    GenericError = 1,
    InvalidParameter = 2,
    OutOfMemory = 3,
    ObjectBusy = 4,
    InsufficientBuffer = 5,
    NotImplemented = 6,
    Win32Error = 7,
    WrongState = 8,
    Aborted = 9,
    FileNotFound = 10,
    ValueOverflow = 11,
    AccessDenied = 12,
    UnknownImageFormat = 13,
    FontFamilyNotFound = 14,
    FontStyleNotFound = 15,
    NotTrueTypeFont = 16,
    UnsupportedGdiplusVersion = 17,
    GdiplusNotInitialized = 18,
    PropertyNotFound = 19,
    PropertyNotSupported = 20,
};

// Opaque objects of the imaging library; a bitmap is a kind of picture.
struct GpImage {
    GpImage() = delete;
};
struct GpBitmap : GpImage {};
struct GpGraphics {
    GpGraphics() = delete;
};

using DebugEventProc = void(WINAPI*)(int level, char* message);

struct StartupInput {
    UINT GdiplusVersion;
    DebugEventProc DebugEventCallback;
    BOOL SuppressBackgroundThread;
    BOOL SuppressExternalCodecs;
};

struct ImageCodecInfo {
    CLSID Clsid;
    GUID FormatID;
    const WCHAR* CodecName;
    const WCHAR* DllName;
    const WCHAR* FormatDescription;
    const WCHAR* FilenameExtension;
    const WCHAR* MimeType;
    DWORD Flags;
    DWORD Version;
    DWORD SigCount;
    DWORD SigSize;
    const BYTE* SigPattern;
    const BYTE* SigMask;
};

struct EncoderParameter {
    GUID Guid;
    ULONG NumberOfValues;
    ULONG Type;
    void* Value;
};

struct EncoderParameters {
    UINT Count;
    EncoderParameter Parameter[1];
};

using GdiplusStartupProc = Status(WINAPI*)(ULONG_PTR* token, const StartupInput* input, void* output);
using GdiplusShutdownProc = void(WINAPI*)(ULONG_PTR token);
using LoadImageFromStreamProc = Status(WINAPI*)(IStream* stream, GpImage** image);
using GetImageWidthProc = Status(WINAPI*)(GpImage* image, UINT* width);
using GetImageHeightProc = Status(WINAPI*)(GpImage* image, UINT* height);
using CreateFromHDCProc = Status(WINAPI*)(HDC dc, GpGraphics** graphics);
using DrawImageRectIProc = Status(WINAPI*)(GpGraphics* graphics, GpImage* image, INT x, INT y, INT width,
                                           INT height);
using DisposeImageProc = Status(WINAPI*)(GpImage* image);
using DeleteGraphicsProc = Status(WINAPI*)(GpGraphics* graphics);
using GetImageEncodersSizeProc = Status(WINAPI*)(UINT* count, UINT* size);
using GetImageEncodersProc = Status(WINAPI*)(UINT count, UINT size, ImageCodecInfo* encoders);
using CreateBitmapFromGdiDibProc = Status(WINAPI*)(const BITMAPINFO* info, void* bits, GpBitmap** bitmap);
using SaveImageToFileProc = Status(WINAPI*)(GpImage* image, const WCHAR* path, const CLSID* encoder,
                                            const EncoderParameters* parameters);

} // namespace Pellux::Imaging
