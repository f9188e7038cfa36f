# The GDI part: object table, device contexts, bitmaps, brushes, pens, fonts, regions, palettes,
# block transfers and pixels.
target_sources(pellux_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/api_bitmap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/api_blit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/api_brush.cpp
  ${CMAKE_CURRENT_LIST_DIR}/api_clip.cpp
  ${CMAKE_CURRENT_LIST_DIR}/api_dc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/api_dc_state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/api_objects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/api_palette.cpp
  ${CMAKE_CURRENT_LIST_DIR}/api_pen_font.cpp
  ${CMAKE_CURRENT_LIST_DIR}/api_pixel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/api_region.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bitmap_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/block_transfer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/brush_pattern.cpp
  ${CMAKE_CURRENT_LIST_DIR}/color.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dc_access.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dib_format.cpp
  ${CMAKE_CURRENT_LIST_DIR}/handle_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pattern_source.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pixel_view.cpp
  ${CMAKE_CURRENT_LIST_DIR}/region_set.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stock_objects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stretch_map.cpp
  ${CMAKE_CURRENT_LIST_DIR}/surface_lock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/transform.cpp
)
