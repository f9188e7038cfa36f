# The window manager: classes, windows, message queues, window DCs, the display backends.
target_sources(pellux_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/backing_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/def_window_proc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/display_hooks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/display_select.cpp
  ${CMAKE_CURRENT_LIST_DIR}/geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/headless_display.cpp
  ${CMAKE_CURRENT_LIST_DIR}/icons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/input.cpp
  ${CMAKE_CURRENT_LIST_DIR}/message_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/messages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/painting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/presenter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sdl_display.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sdl_keys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/thread_queue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_class.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_data.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_lifecycle.cpp
)
