# Sources of this subsystem.
target_sources(pellux_graphics PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/graph_wnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_appearance.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_proc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_thread.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mouse_input.cpp)
