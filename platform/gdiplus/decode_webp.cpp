// WebP through libwebp: lossy, lossless and with alpha; the first frame of an animation is not
// read (the plain decoder refuses animations, which then count as damaged).
#include <webp/decode.h>

#include "decoders.h"
#include "picture_limits.h"

namespace layer::gdiplus {

DecodeResult decode_webp(Bytes bytes, Raster& raster) {
    WebPBitstreamFeatures features;
    if (WebPGetFeatures(bytes.data(), bytes.size(), &features) != VP8_STATUS_OK) return DecodeResult::corrupt;
    if (!acceptable_size(features.width, features.height)) return DecodeResult::too_large;
    if (features.has_animation) return DecodeResult::corrupt;

    Raster out;
    out.width = features.width;
    out.height = features.height;
    out.has_alpha = features.has_alpha != 0;
    out.pixels.allocate(static_cast<std::size_t>(out.width) * out.height);
    const std::size_t stride = static_cast<std::size_t>(out.width) * 4;
    if (!WebPDecodeBGRAInto(bytes.data(), bytes.size(), reinterpret_cast<std::uint8_t*>(out.pixels.data()),
                            stride * out.height, static_cast<int>(stride)))
        return DecodeResult::corrupt;
    raster = std::move(out);
    return DecodeResult::ok;
}

} // namespace layer::gdiplus
