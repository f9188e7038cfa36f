# Sources of this part of the layer.
target_sources(pellux_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/bounded_print.cpp
  ${CMAKE_CURRENT_LIST_DIR}/open_mode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stored_stream.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stream_open.cpp
)
