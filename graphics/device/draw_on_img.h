// The drawing-device interface and its image implementation.
//
// The virtual operations keep a fixed slot order; DrawOnWnd overrides the ones that touch the
// target's device context or pixel buffer and adds the window's own operations after slot 78.
#pragma once

#include "platform_api.h"

class IMAGE;
class LINESTYLE;
class FILLSTYLE;

namespace Pellux {

class DrawOnImg {
public:
    DrawOnImg() = default;
    DrawOnImg(const DrawOnImg&) = delete;
    DrawOnImg& operator=(const DrawOnImg&) = delete;

    virtual ~DrawOnImg();                                                         // 0
    virtual void clear_target();                                                  // 1
    virtual COLORREF get_line_color();                                            // 2
    virtual void set_line_color(COLORREF color);                                  // 3
    virtual COLORREF get_text_color();                                            // 4
    virtual void set_text_color(COLORREF color);                                  // 5
    virtual COLORREF get_bk_color();                                              // 6
    virtual void set_bk_color(COLORREF color);                                    // 7
    virtual int get_bk_mode();                                                    // 8
    virtual void set_bk_mode(int mode);                                           // 9
    virtual void set_origin(int x, int y);                                        // 10
    virtual void set_clip_region(HRGN region);                                    // 11
    virtual void clear_clip_region();                                             // 12
    virtual void get_line_style(LINESTYLE* out);                                  // 13
    virtual void set_line_style(int style, int thickness, const DWORD* pattern, DWORD count); // 14
    virtual void select_line_style(LINESTYLE* style);                             // 15
    virtual void get_fill_style(FILLSTYLE* out);                                  // 16
    virtual void set_fill_style(int style, int hatch, IMAGE* pattern);            // 17
    virtual void set_fill_pattern(const BYTE* pattern);                           // 18
    virtual void select_fill_style(FILLSTYLE* style);                             // 19
    virtual COLORREF get_fill_color();                                            // 20
    virtual void set_fill_color(COLORREF color);                                  // 21
    virtual void get_aspect_ratio(float* x_scale, float* y_scale);                // 22
    virtual void set_aspect_ratio(float x_scale, float y_scale);                  // 23
    virtual int get_rop2();                                                       // 24
    virtual void set_rop2(int mode);                                              // 25
    virtual int get_poly_fill_mode();                                             // 26
    virtual void set_poly_fill_mode(int mode);                                    // 27
    virtual void reset_defaults();                                                // 28
    virtual COLORREF get_pixel(int x, int y);                                     // 29
    virtual void put_pixel(int x, int y, COLORREF color);                         // 30
    virtual void move_to(int x, int y);                                           // 31
    virtual void move_rel(int dx, int dy);                                        // 32
    virtual void draw_line(int x1, int y1, int x2, int y2);                       // 33
    virtual void draw_line_rel(int dx, int dy);                                   // 34
    virtual void draw_line_to(int x, int y);                                      // 35
    virtual void draw_rectangle(int left, int top, int right, int bottom);        // 36
    virtual void fill_rectangle(int left, int top, int right, int bottom);        // 37
    virtual void paint_rectangle(int left, int top, int right, int bottom);       // 38
    virtual void erase_rectangle(int left, int top, int right, int bottom);       // 39
    virtual void arc_endpoints(int left, int top, int right, int bottom, double start, double end,
                               int* start_x, int* start_y, int* end_x, int* end_y); // 40
    virtual void draw_circle(int x, int y, int radius);                           // 41
    virtual void fill_circle(int x, int y, int radius);                           // 42
    virtual void paint_circle(int x, int y, int radius);                          // 43
    virtual void erase_circle(int x, int y, int radius);                          // 44
    virtual void draw_ellipse(int left, int top, int right, int bottom);          // 45
    virtual void fill_ellipse(int left, int top, int right, int bottom);          // 46
    virtual void paint_ellipse(int left, int top, int right, int bottom);         // 47
    virtual void erase_ellipse(int left, int top, int right, int bottom);         // 48
    virtual void draw_round_rect(int left, int top, int right, int bottom, int corner_width, int corner_height);  // 49
    virtual void fill_round_rect(int left, int top, int right, int bottom, int corner_width, int corner_height);  // 50
    virtual void paint_round_rect(int left, int top, int right, int bottom, int corner_width, int corner_height); // 51
    virtual void erase_round_rect(int left, int top, int right, int bottom, int corner_width, int corner_height); // 52
    virtual void draw_arc(int left, int top, int right, int bottom, double start, double end);   // 53
    virtual void draw_pie(int left, int top, int right, int bottom, double start, double end);   // 54
    virtual void fill_pie(int left, int top, int right, int bottom, double start, double end);   // 55
    virtual void paint_pie(int left, int top, int right, int bottom, double start, double end);  // 56
    virtual void erase_pie(int left, int top, int right, int bottom, double start, double end);  // 57
    virtual void draw_polyline(const POINT* points, int count);                   // 58
    virtual void draw_polygon(const POINT* points, int count);                    // 59
    virtual void fill_polygon(const POINT* points, int count);                    // 60
    virtual void paint_polygon(const POINT* points, int count);                   // 61
    virtual void erase_polygon(const POINT* points, int count);                   // 62
    virtual void draw_bezier(const POINT* points, int count);                     // 63
    virtual void flood_fill(int x, int y, COLORREF color, int fill_type);         // 64
    virtual void out_text(const WCHAR* text);                                     // 65
    virtual void out_text_at(int x, int y, const WCHAR* text);                    // 66
    virtual int draw_text_in_rect(const WCHAR* text, RECT* rect, UINT format);    // 67
    virtual int text_width(const WCHAR* text);                                    // 68
    virtual int text_height(const WCHAR* text);                                   // 69
    virtual void select_text_style(const LOGFONTW* font);                         // 70
    virtual void set_text_style_full(int height, int width, const WCHAR* face, int escapement,
                                     int orientation, int weight, BYTE italic, BYTE underline,
                                     BYTE strike_out, BYTE charset, BYTE out_precision,
                                     BYTE clip_precision, BYTE quality, BYTE pitch_and_family); // 71
    virtual void set_text_style_ext(int height, int width, const WCHAR* face, int escapement,
                                    int orientation, int weight, BYTE italic, BYTE underline,
                                    BYTE strike_out);                             // 72
    virtual void set_text_style(int height, int width, const WCHAR* face);        // 73
    virtual void get_text_style(LOGFONTW* out);                                   // 74
    virtual int get_width();                                                      // 75
    virtual int get_height();                                                     // 76
    virtual int get_x();                                                          // 77
    virtual int get_y();                                                          // 78
};

} // namespace Pellux
