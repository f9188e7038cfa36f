// IMAGE: an off-screen 32-bit top-down surface with its own drawing state.
#pragma once

#include "platform_api.h"
#include "styles.h"

// Converting between COLORREF (0x00BBGGRR) and a pixel value (0x00RRGGBB) exchanges the lowest
// and the third byte; the same exchange converts back.
constexpr DWORD swap_red_blue(DWORD value) {
    return (value & 0xFF00FF00u) | ((value & 0xFFu) << 16) | ((value >> 16) & 0xFFu);
}

// Largest surface an image accepts, in pixels per side and in total; larger requests (and
// negative sizes) leave the image as it was instead of making an unusable surface.
constexpr int MAX_SURFACE_SIDE = 1 << 15;
constexpr long long MAX_SURFACE_PIXELS = 1LL << 28;

class IMAGE {
public:
    IMAGE(int width = 0, int height = 0);
    IMAGE(const IMAGE&) = delete;
    virtual void reset_defaults();
    virtual ~IMAGE();
    virtual void resize(int width, int height);

    // Copies the pixels (and the size) of source; the drawing state stays this image's own.
    IMAGE& operator=(const IMAGE& source);

    int get_width() const { return width; }
    int get_height() const { return height; }

    // Makes a 32-bit top-down DIB section of w by h; its pixels are stored through pixels.
    static HBITMAP create_dib(int w, int h, DWORD** pixels);

    int width = 0;
    int height = 0;
    HBITMAP bitmap = nullptr;
    HDC dc = nullptr;
    int x = 0;
    int y = 0;
    XFORM xform{1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f};
    COLORREF line_color = 0xFFFFFF;
    COLORREF fill_color = 0xFFFFFF;
    COLORREF text_color = 0xFFFFFF;
    COLORREF bk_color = 0;
    DWORD* buffer = nullptr;
    LINESTYLE line_style;
    FILLSTYLE fill_style;

protected:
    // The platform half of reset_defaults, applied to any device context.
    void apply_default_state(HDC target) const;
    void fill_buffer_with_bk_color();

private:
    void reset_fields();
};

// Whether w by h is a size for which an image makes a surface.
bool is_valid_surface_size(int w, int h);
