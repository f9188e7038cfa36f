#include "image_loading.h"

#include "global_memory.h"
#include "graph_state.h"
#include "image.h"
#include "imaging_binding.h"

namespace {

using Pellux::Imaging::GpGraphics;
using Pellux::Imaging::GpImage;
using Pellux::Imaging::Ok;

// A decoded picture; disposed under the library lock however the load ends (a resize may throw).
class Picture {
public:
    explicit Picture(GpImage* image) : image_(image) {}
    ~Picture() { dispose(); }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    GpImage* get() const { return image_; }
    void dispose() {
        if (image_) {
            LibraryLock lock;
            imaging_binding.GdipDisposeImage(image_);
            image_ = nullptr;
        }
    }

private:
    GpImage* image_;
};

// Decodes the block through a stream that takes the block over (delete-on-release): the block is
// then freed exactly once, when the imaging library lets go of the stream, which it may read
// until the picture is disposed. Returns null when nothing could be decoded.
GpImage* decode(Pellux::GlobalMemory& block) {
    if (!block.handle) return nullptr;
    const HGLOBAL handle = block.handle;
    GlobalLock(handle);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(handle, TRUE, &stream)) || !stream) {
        GlobalUnlock(handle);
        return nullptr;
    }
    block.release();
    GpImage* image = nullptr;
    Pellux::Imaging::Status status;
    {
        LibraryLock lock;
        status = imaging_binding.GdipLoadImageFromStream(stream, &image);
    }
    GlobalUnlock(handle);
    stream->Release();
    return status == Ok ? image : nullptr;
}

bool within_limits(UINT width, UINT height) {
    return width > 0 && height > 0 && width <= MAX_PICTURE_SIDE && height <= MAX_PICTURE_SIDE &&
           static_cast<unsigned long long>(width) * height <= MAX_PICTURE_PIXELS;
}

} // namespace

void load_image_into(IMAGE* target, const WCHAR* path, int width, int height, bool resize) {
    if (!target || !imaging_binding.ready) return;
    Pellux::GlobalMemory block;
    block.load_file(path);
    load_image_from_block(block, target, width, height, resize);
}

void load_image_from_block(Pellux::GlobalMemory& block, IMAGE* target, int width, int height, bool resize) {
    const ImagingBinding& im = imaging_binding;
    // A negative size has no meaning for a target; refusing it keeps the target as it was.
    if (!target || !im.ready || width < 0 || height < 0) return;

    Picture picture(decode(block));
    if (!picture.get()) return;

    UINT picture_width = 0;
    UINT picture_height = 0;
    {
        LibraryLock lock;
        im.GdipGetImageWidth(picture.get(), &picture_width);
        im.GdipGetImageHeight(picture.get(), &picture_height);
    }
    if (!within_limits(picture_width, picture_height)) return;

    const int wanted_width = width != 0 ? width : static_cast<int>(picture_width);
    const int wanted_height = height != 0 ? height : static_cast<int>(picture_height);
    if (!target->bitmap || (resize && (wanted_width != target->width || wanted_height != target->height)))
        target->resize(wanted_width, wanted_height);
    // A size the target could not take leaves it without a surface: nothing to draw on.
    if (!target->bitmap) return;

    LibraryLock lock;
    GpGraphics* graphics = nullptr;
    if (im.GdipCreateFromHDC(target->dc, &graphics) == Ok && graphics) {
        im.GdipDrawImageRectI(graphics, picture.get(), 0, 0, wanted_width, wanted_height);
        picture.dispose();
        im.GdipDeleteGraphics(graphics);
    }
}
