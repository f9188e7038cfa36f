// GIF files through giflib: one frame with at most 256 colours. A picture with few colours keeps
// them exactly; any other is mapped onto a fixed 6 x 7 x 6 colour cube. Pixels that are mostly
// transparent become the transparent colour.
#include <algorithm>
#include <unordered_map>
#include <vector>

#include <gif_lib.h>

#include "encoders.h"

namespace layer::gdiplus {

namespace {

int write_to_memory(GifFileType* gif, const GifByteType* data, int count) {
    auto* out = static_cast<EncodedFile*>(gif->UserData);
    out->insert(out->end(), data, data + count);
    return count;
}

bool transparent(const Raster& picture, std::uint32_t p) { return picture.has_alpha && (p >> 24) < 128; }

struct Palette {
    std::vector<GifColorType> colors;
    std::vector<GifPixelType> indexes; // one per pixel
    int transparent_index = -1;
};

bool exact_palette(const Raster& picture, Palette& palette) {
    std::unordered_map<std::uint32_t, int> seen;
    bool any_transparent = false;
    for (std::uint32_t p : picture.pixels) {
        if (transparent(picture, p)) {
            any_transparent = true;
            continue;
        }
        if (seen.emplace(p & 0xFFFFFF, static_cast<int>(seen.size())).second && seen.size() > 255) return false;
    }
    palette.colors.resize(seen.size() + (any_transparent ? 1 : 0));
    for (const auto& [rgb, index] : seen)
        palette.colors[index] = {static_cast<GifByteType>(rgb >> 16), static_cast<GifByteType>(rgb >> 8),
                                 static_cast<GifByteType>(rgb)};
    if (any_transparent) {
        palette.transparent_index = static_cast<int>(seen.size());
        palette.colors[palette.transparent_index] = {0, 0, 0};
    }
    palette.indexes.reserve(picture.pixels.size());
    for (std::uint32_t p : picture.pixels)
        palette.indexes.push_back(static_cast<GifPixelType>(
            transparent(picture, p) ? palette.transparent_index : seen[p & 0xFFFFFF]));
    return true;
}

void cube_palette(const Raster& picture, Palette& palette) {
    constexpr int reds = 6, greens = 7, blues = 6;
    for (int r = 0; r < reds; ++r)
        for (int g = 0; g < greens; ++g)
            for (int b = 0; b < blues; ++b)
                palette.colors.push_back({static_cast<GifByteType>(r * 255 / (reds - 1)),
                                          static_cast<GifByteType>(g * 255 / (greens - 1)),
                                          static_cast<GifByteType>(b * 255 / (blues - 1))});
    palette.transparent_index = static_cast<int>(palette.colors.size());
    palette.colors.push_back({0, 0, 0});
    auto level = [](std::uint32_t v, int steps) { return static_cast<int>((v * (steps - 1) + 127) / 255); };
    palette.indexes.reserve(picture.pixels.size());
    for (std::uint32_t p : picture.pixels) {
        if (transparent(picture, p)) {
            palette.indexes.push_back(static_cast<GifPixelType>(palette.transparent_index));
            continue;
        }
        const int index = (level((p >> 16) & 0xFF, reds) * greens + level((p >> 8) & 0xFF, greens)) * blues +
                          level(p & 0xFF, blues);
        palette.indexes.push_back(static_cast<GifPixelType>(index));
    }
}

} // namespace

bool encode_gif(const Raster& picture, EncodedFile& out) {
    if (picture.width > 0xFFFF || picture.height > 0xFFFF) return false;
    Palette palette;
    if (!exact_palette(picture, palette)) {
        palette = Palette{};
        cube_palette(picture, palette);
    }
    // giflib wants a power of two colours.
    int size = 2;
    while (size < static_cast<int>(palette.colors.size())) size *= 2;
    palette.colors.resize(static_cast<std::size_t>(size), GifColorType{0, 0, 0});

    out.clear();
    int error = 0;
    GifFileType* gif = EGifOpen(&out, write_to_memory, &error);
    if (!gif) return false;
    bool ok = true;
    ColorMapObject* map = GifMakeMapObject(size, palette.colors.data());
    EGifSetGifVersion(gif, true);
    ok = map && EGifPutScreenDesc(gif, picture.width, picture.height, 8, 0, map) != GIF_ERROR;
    if (ok && palette.transparent_index >= 0) {
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSAL_UNSPECIFIED;
        control.TransparentColor = palette.transparent_index;
        GifByteType extension[4];
        const std::size_t length = EGifGCBToExtension(&control, extension);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) != GIF_ERROR;
    }
    ok = ok && EGifPutImageDesc(gif, 0, 0, picture.width, picture.height, false, nullptr) != GIF_ERROR;
    for (int y = 0; y < picture.height && ok; ++y)
        ok = EGifPutLine(gif, palette.indexes.data() + static_cast<std::size_t>(y) * picture.width, picture.width) !=
             GIF_ERROR;
    if (map) GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) == GIF_ERROR) ok = false;
    return ok;
}

} // namespace layer::gdiplus
