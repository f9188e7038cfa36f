// The window device's locked versions: take the lock, run the image device's implementation
// directly (not through the interface), release the lock. Queries take it as readers, so that
// they do not make the window thread copy an unchanged surface again.
#include "draw_on_wnd.h"

#include "graph_state.h"

namespace Pellux {

void DrawOnWnd::clear_target() { LibraryLock lock; DrawOnImg::clear_target(); }
void DrawOnWnd::set_text_color(COLORREF color) { LibraryLock lock; DrawOnImg::set_text_color(color); }
void DrawOnWnd::set_bk_color(COLORREF color) { LibraryLock lock; DrawOnImg::set_bk_color(color); }
int DrawOnWnd::get_bk_mode() { ReadingLock lock; return DrawOnImg::get_bk_mode(); }
void DrawOnWnd::set_bk_mode(int mode) { LibraryLock lock; DrawOnImg::set_bk_mode(mode); }
void DrawOnWnd::set_origin(int x, int y) { LibraryLock lock; DrawOnImg::set_origin(x, y); }
void DrawOnWnd::set_clip_region(HRGN region) { LibraryLock lock; DrawOnImg::set_clip_region(region); }
void DrawOnWnd::clear_clip_region() { LibraryLock lock; DrawOnImg::clear_clip_region(); }
void DrawOnWnd::select_line_style(LINESTYLE* style) { LibraryLock lock; DrawOnImg::select_line_style(style); }
void DrawOnWnd::select_fill_style(FILLSTYLE* style) { LibraryLock lock; DrawOnImg::select_fill_style(style); }
void DrawOnWnd::set_fill_color(COLORREF color) { LibraryLock lock; DrawOnImg::set_fill_color(color); }
void DrawOnWnd::set_aspect_ratio(float x_scale, float y_scale) { LibraryLock lock; DrawOnImg::set_aspect_ratio(x_scale, y_scale); }
int DrawOnWnd::get_rop2() { ReadingLock lock; return DrawOnImg::get_rop2(); }
void DrawOnWnd::set_rop2(int mode) { LibraryLock lock; DrawOnImg::set_rop2(mode); }
int DrawOnWnd::get_poly_fill_mode() { ReadingLock lock; return DrawOnImg::get_poly_fill_mode(); }
void DrawOnWnd::set_poly_fill_mode(int mode) { LibraryLock lock; DrawOnImg::set_poly_fill_mode(mode); }
COLORREF DrawOnWnd::get_pixel(int x, int y) { ReadingLock lock; return DrawOnImg::get_pixel(x, y); }
void DrawOnWnd::put_pixel(int x, int y, COLORREF color) { LibraryLock lock; DrawOnImg::put_pixel(x, y, color); }
void DrawOnWnd::move_to(int x, int y) { LibraryLock lock; DrawOnImg::move_to(x, y); }
void DrawOnWnd::draw_line(int x1, int y1, int x2, int y2) { LibraryLock lock; DrawOnImg::draw_line(x1, y1, x2, y2); }
void DrawOnWnd::fill_rectangle(int left, int top, int right, int bottom) { LibraryLock lock; DrawOnImg::fill_rectangle(left, top, right, bottom); }
void DrawOnWnd::fill_circle(int x, int y, int radius) { LibraryLock lock; DrawOnImg::fill_circle(x, y, radius); }
void DrawOnWnd::fill_ellipse(int left, int top, int right, int bottom) { LibraryLock lock; DrawOnImg::fill_ellipse(left, top, right, bottom); }
void DrawOnWnd::fill_round_rect(int left, int top, int right, int bottom, int corner_width, int corner_height) {
    LibraryLock lock;
    DrawOnImg::fill_round_rect(left, top, right, bottom, corner_width, corner_height);
}
void DrawOnWnd::draw_arc(int left, int top, int right, int bottom, double start, double end) {
    LibraryLock lock;
    DrawOnImg::draw_arc(left, top, right, bottom, start, end);
}
void DrawOnWnd::fill_pie(int left, int top, int right, int bottom, double start, double end) {
    LibraryLock lock;
    DrawOnImg::fill_pie(left, top, right, bottom, start, end);
}
void DrawOnWnd::draw_polyline(const POINT* points, int count) { LibraryLock lock; DrawOnImg::draw_polyline(points, count); }
void DrawOnWnd::fill_polygon(const POINT* points, int count) { LibraryLock lock; DrawOnImg::fill_polygon(points, count); }
void DrawOnWnd::draw_bezier(const POINT* points, int count) { LibraryLock lock; DrawOnImg::draw_bezier(points, count); }
void DrawOnWnd::flood_fill(int x, int y, COLORREF color, int fill_type) { LibraryLock lock; DrawOnImg::flood_fill(x, y, color, fill_type); }
void DrawOnWnd::out_text_at(int x, int y, const WCHAR* text) { LibraryLock lock; DrawOnImg::out_text_at(x, y, text); }
int DrawOnWnd::draw_text_in_rect(const WCHAR* text, RECT* rect, UINT format) { LibraryLock lock; return DrawOnImg::draw_text_in_rect(text, rect, format); }
int DrawOnWnd::text_width(const WCHAR* text) { ReadingLock lock; return DrawOnImg::text_width(text); }
int DrawOnWnd::text_height(const WCHAR* text) { ReadingLock lock; return DrawOnImg::text_height(text); }
void DrawOnWnd::select_text_style(const LOGFONTW* font) { LibraryLock lock; DrawOnImg::select_text_style(font); }
void DrawOnWnd::get_text_style(LOGFONTW* out) { ReadingLock lock; DrawOnImg::get_text_style(out); }

} // namespace Pellux
