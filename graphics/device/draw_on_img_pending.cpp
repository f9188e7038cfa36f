// Operations whose drawing is not built yet: line and fill styles, shapes and text. They keep
// their slots so that the interface has its final layout; until they are built they leave the
// target unchanged and the queries answer 0.
#include "draw_on_img.h"

namespace Pellux {

void DrawOnImg::set_line_color(COLORREF) {}
void DrawOnImg::set_line_style(int, int, const DWORD*, DWORD) {}
void DrawOnImg::select_line_style(LINESTYLE*) {}
void DrawOnImg::set_fill_style(int, int, IMAGE*) {}
void DrawOnImg::set_fill_pattern(const BYTE*) {}
void DrawOnImg::select_fill_style(FILLSTYLE*) {}
void DrawOnImg::set_fill_color(COLORREF) {}

void DrawOnImg::draw_line(int, int, int, int) {}
void DrawOnImg::draw_line_rel(int, int) {}
void DrawOnImg::draw_line_to(int, int) {}
void DrawOnImg::draw_rectangle(int, int, int, int) {}
void DrawOnImg::fill_rectangle(int, int, int, int) {}
void DrawOnImg::paint_rectangle(int, int, int, int) {}
void DrawOnImg::erase_rectangle(int, int, int, int) {}
void DrawOnImg::arc_endpoints(int, int, int, int, double, double, int*, int*, int*, int*) {}
void DrawOnImg::draw_circle(int, int, int) {}
void DrawOnImg::fill_circle(int, int, int) {}
void DrawOnImg::paint_circle(int, int, int) {}
void DrawOnImg::erase_circle(int, int, int) {}
void DrawOnImg::draw_ellipse(int, int, int, int) {}
void DrawOnImg::fill_ellipse(int, int, int, int) {}
void DrawOnImg::paint_ellipse(int, int, int, int) {}
void DrawOnImg::erase_ellipse(int, int, int, int) {}
void DrawOnImg::draw_round_rect(int, int, int, int, int, int) {}
void DrawOnImg::fill_round_rect(int, int, int, int, int, int) {}
void DrawOnImg::paint_round_rect(int, int, int, int, int, int) {}
void DrawOnImg::erase_round_rect(int, int, int, int, int, int) {}
void DrawOnImg::draw_arc(int, int, int, int, double, double) {}
void DrawOnImg::draw_pie(int, int, int, int, double, double) {}
void DrawOnImg::fill_pie(int, int, int, int, double, double) {}
void DrawOnImg::paint_pie(int, int, int, int, double, double) {}
void DrawOnImg::erase_pie(int, int, int, int, double, double) {}
void DrawOnImg::draw_polyline(const POINT*, int) {}
void DrawOnImg::draw_polygon(const POINT*, int) {}
void DrawOnImg::fill_polygon(const POINT*, int) {}
void DrawOnImg::paint_polygon(const POINT*, int) {}
void DrawOnImg::erase_polygon(const POINT*, int) {}
void DrawOnImg::draw_bezier(const POINT*, int) {}
void DrawOnImg::flood_fill(int, int, COLORREF, int) {}

void DrawOnImg::out_text(const WCHAR*) {}
void DrawOnImg::out_text_at(int, int, const WCHAR*) {}
int DrawOnImg::draw_text_in_rect(const WCHAR*, RECT*, UINT) { return 0; }
int DrawOnImg::text_width(const WCHAR*) { return 0; }
int DrawOnImg::text_height(const WCHAR*) { return 0; }
void DrawOnImg::select_text_style(const LOGFONTW*) {}
void DrawOnImg::set_text_style_full(int, int, const WCHAR*, int, int, int, BYTE, BYTE, BYTE, BYTE, BYTE, BYTE, BYTE, BYTE) {}
void DrawOnImg::set_text_style_ext(int, int, const WCHAR*, int, int, int, BYTE, BYTE, BYTE) {}
void DrawOnImg::set_text_style(int, int, const WCHAR*) {}
void DrawOnImg::get_text_style(LOGFONTW*) {}

} // namespace Pellux
