target_sources(pellux_graphics PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/draw_on_img.cpp
  ${CMAKE_CURRENT_LIST_DIR}/draw_on_img_pending.cpp
  ${CMAKE_CURRENT_LIST_DIR}/draw_on_wnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/draw_on_wnd_locked.cpp)
