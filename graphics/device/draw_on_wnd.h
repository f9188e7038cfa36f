// The window device: the image device's operations under the library lock, because the window
// thread copies the window surface to the screen concurrently, plus the window's own operations.
#pragma once

#include "draw_on_img.h"

namespace Pellux {

class DrawOnWnd : public DrawOnImg {
public:
    ~DrawOnWnd() override;
    void clear_target() override;
    void set_text_color(COLORREF color) override;
    void set_bk_color(COLORREF color) override;
    int get_bk_mode() override;
    void set_bk_mode(int mode) override;
    void set_origin(int x, int y) override;
    void set_clip_region(HRGN region) override;
    void clear_clip_region() override;
    void select_line_style(LINESTYLE* style) override;
    void select_fill_style(FILLSTYLE* style) override;
    void set_fill_color(COLORREF color) override;
    void set_aspect_ratio(float x_scale, float y_scale) override;
    int get_rop2() override;
    void set_rop2(int mode) override;
    int get_poly_fill_mode() override;
    void set_poly_fill_mode(int mode) override;
    COLORREF get_pixel(int x, int y) override;
    void put_pixel(int x, int y, COLORREF color) override;
    void move_to(int x, int y) override;
    void draw_line(int x1, int y1, int x2, int y2) override;
    void fill_rectangle(int left, int top, int right, int bottom) override;
    void fill_circle(int x, int y, int radius) override;
    void fill_ellipse(int left, int top, int right, int bottom) override;
    void fill_round_rect(int left, int top, int right, int bottom, int corner_width, int corner_height) override;
    void draw_arc(int left, int top, int right, int bottom, double start, double end) override;
    void fill_pie(int left, int top, int right, int bottom, double start, double end) override;
    void draw_polyline(const POINT* points, int count) override;
    void fill_polygon(const POINT* points, int count) override;
    void draw_bezier(const POINT* points, int count) override;
    void flood_fill(int x, int y, COLORREF color, int fill_type) override;
    void out_text_at(int x, int y, const WCHAR* text) override;
    int draw_text_in_rect(const WCHAR* text, RECT* rect, UINT format) override;
    int text_width(const WCHAR* text) override;
    int text_height(const WCHAR* text) override;
    void select_text_style(const LOGFONTW* font) override;
    void get_text_style(LOGFONTW* out) override;

    virtual HWND open_window(int width, int height, int flags);                      // 79
    virtual void close_window();                                                     // 80
    virtual void begin_batch();                                                      // 81
    virtual void flush_batch_rect(int left, int top, int right, int bottom);         // 82
    virtual void flush_batch();                                                      // 83
    virtual void end_batch_rect(int left, int top, int right, int bottom);           // 84
    virtual void end_batch();                                                        // 85
};

} // namespace Pellux
