// Icon files: the first image of the directory, stored either as a PNG or as a bitmap with an
// AND mask. The directory's own size fields are not trusted; the image's header decides.
#include "byte_reader.h"
#include "decoders.h"

namespace layer::gdiplus {

DecodeResult decode_ico(Bytes bytes, Raster& raster) {
    ByteReader in(bytes);
    if (in.u16() != 0 || in.u16() != 1) return DecodeResult::unknown_format;
    const int count = in.u16();
    if (count == 0) return DecodeResult::corrupt;
    in.skip(8); // width, height, colours, reserved, planes, bit count
    const std::uint32_t size = in.u32();
    const std::uint32_t offset = in.u32();
    if (in.overrun() || offset >= bytes.size() || size > bytes.size() - offset) return DecodeResult::corrupt;
    const Bytes image = bytes.subspan(offset, size);
    if (sniff_format(image) == PictureFormat::png) return decode_png(image, raster);
    return decode_dib(image, raster, true);
}

} // namespace layer::gdiplus
