// GIF through giflib: the first frame, at the frame's own size as the reference gives it (not
// the logical screen's); its transparent colour is transparent.
#include <cstring>
#include <vector>

#include <gif_lib.h>

#include "decoders.h"
#include "picture_limits.h"

namespace layer::gdiplus {

namespace {

struct MemoryInput {
    Bytes bytes;
    std::size_t position;
};

int read_from_memory(GifFileType* gif, GifByteType* out, int count) {
    auto* input = static_cast<MemoryInput*>(gif->UserData);
    const std::size_t left = input->bytes.size() - input->position;
    const std::size_t n = count < 0 ? 0 : (static_cast<std::size_t>(count) < left ? static_cast<std::size_t>(count) : left);
    std::memcpy(out, input->bytes.data() + input->position, n);
    input->position += n;
    return static_cast<int>(n);
}

struct GifFile {
    GifFileType* gif;
    ~GifFile() {
        if (gif) DGifCloseFile(gif, nullptr);
    }
};

// The transparent colour index that a graphic control extension declares, or -1.
int transparent_index(GifByteType* block) {
    if (block && block[0] >= 4 && (block[1] & 1)) return block[4];
    return -1;
}

} // namespace

DecodeResult decode_gif(Bytes bytes, Raster& raster) {
    MemoryInput input{bytes, 0};
    int error = 0;
    GifFile file{DGifOpen(&input, read_from_memory, &error)};
    GifFileType* gif = file.gif;
    if (!gif) return DecodeResult::corrupt;

    int transparent = -1;
    while (true) {
        GifRecordType record;
        if (DGifGetRecordType(gif, &record) == GIF_ERROR) return DecodeResult::corrupt;
        if (record == TERMINATE_RECORD_TYPE) return DecodeResult::corrupt; // no frame at all
        if (record == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return DecodeResult::corrupt;
            if (code == GRAPHICS_EXT_FUNC_CODE) transparent = transparent_index(block);
            while (block)
                if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return DecodeResult::corrupt;
            continue;
        }
        if (record != IMAGE_DESC_RECORD_TYPE) continue;
        if (DGifGetImageDesc(gif) == GIF_ERROR) return DecodeResult::corrupt;
        break;
    }

    const GifImageDesc& frame = gif->Image;
    const ColorMapObject* colors = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    if (!colors || frame.Width <= 0 || frame.Height <= 0) return DecodeResult::corrupt;
    if (!acceptable_size(frame.Width, frame.Height)) return DecodeResult::too_large;

    Raster out;
    out.width = frame.Width;
    out.height = frame.Height;
    out.has_alpha = true;
    out.pixels.assign(static_cast<std::size_t>(out.width) * out.height, 0u);

    std::vector<GifPixelType> line(static_cast<std::size_t>(frame.Width));
    std::vector<int> order(static_cast<std::size_t>(frame.Height));
    if (frame.Interlace) {
        static constexpr int starts[] = {0, 4, 2, 1};
        static constexpr int steps[] = {8, 8, 4, 2};
        int n = 0;
        for (int pass = 0; pass < 4; ++pass)
            for (int y = starts[pass]; y < frame.Height; y += steps[pass]) order[n++] = y;
    } else {
        for (int y = 0; y < frame.Height; ++y) order[y] = y;
    }
    for (int i = 0; i < frame.Height; ++i) {
        if (DGifGetLine(gif, line.data(), frame.Width) == GIF_ERROR) return DecodeResult::corrupt;
        std::uint32_t* target = out.row(order[i]);
        for (int x = 0; x < frame.Width; ++x) {
            const int tx = x;
            const int index = line[x];
            if (index == transparent) continue;
            if (index >= colors->ColorCount) {
                target[tx] = 0xFF000000u;
                continue;
            }
            const GifColorType& c = colors->Colors[index];
            target[tx] = argb(255, c.Red, c.Green, c.Blue);
        }
    }
    raster = std::move(out);
    return DecodeResult::ok;
}

} // namespace layer::gdiplus
