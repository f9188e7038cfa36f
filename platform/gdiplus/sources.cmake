# The imaging module ("gdiplus.dll"): decoders and encoders on the standard libraries, scaled
# drawing, and the flat entry points. GIF has no pkg-config file; CMake's own module finds it.
pkg_check_modules(IMAGING_LIBS REQUIRED IMPORTED_TARGET libjpeg libpng libtiff-4 libwebp)
find_package(GIF REQUIRED)
target_link_libraries(pellux_platform PRIVATE PkgConfig::IMAGING_LIBS GIF::GIF)

target_sources(pellux_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/codecs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/decode_bmp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/decode_gif.cpp
  ${CMAKE_CURRENT_LIST_DIR}/decode_ico.cpp
  ${CMAKE_CURRENT_LIST_DIR}/decode_jpeg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/decode_picture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/decode_png.cpp
  ${CMAKE_CURRENT_LIST_DIR}/decode_tiff.cpp
  ${CMAKE_CURRENT_LIST_DIR}/decode_webp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/draw_scaled.cpp
  ${CMAKE_CURRENT_LIST_DIR}/encode_bmp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/encode_gif.cpp
  ${CMAKE_CURRENT_LIST_DIR}/encode_jpeg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/encode_png.cpp
  ${CMAKE_CURRENT_LIST_DIR}/encode_tiff.cpp
  ${CMAKE_CURRENT_LIST_DIR}/flat_codecs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/flat_graphics.cpp
  ${CMAKE_CURRENT_LIST_DIR}/flat_image.cpp
  ${CMAKE_CURRENT_LIST_DIR}/flat_startup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gdiplus_module.cpp
  ${CMAKE_CURRENT_LIST_DIR}/live_objects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pixel_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stream_bytes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../gdi/imaging_access.cpp)
