#include "converter.h"

#include "graphics.h"
#include "source_writer.h"

namespace {

constexpr const char16_t* TITLE = u"TolvaneTool";

void report(const char16_t* text) { MessageBoxW(nullptr, Pellux::wide(text), Pellux::wide(TITLE), MB_OK); }

} // namespace

int run_converter() {
    IMAGE picture(0, 0);
    load_image(&picture, Pellux::wide(u"./img.jpg"), 0, 0, false);
    const int width = picture.get_width();
    const int height = picture.get_height();
    // An empty array would only hide that nothing was read; an earlier out.cpp stays as it is.
    if (width == 0 || height == 0) {
        report(u"No picture could be read from ./img.jpg.\r\nout.cpp was not written.");
        return 1;
    }

    if (!open_window(width, height, 0)) {
        report(u"The graphics window could not be opened.\r\nout.cpp was not written.");
        close_window();
        return 1;
    }
    put_image(0, 0, &picture, SRCCOPY);

    // The pixels are read back from the window surface, through the window device.
    const bool written = write_source_file("./out.cpp", width, height, [](int x, int y) { return get_pixel(x, y); });
    if (!written) {
        report(u"./out.cpp could not be written.");
        close_window();
        return 1;
    }
    report(u"Tool by Dravik. \r\n done!");
    close_window();
    return 0;
}
