# Sources of this part of the layer.
target_sources(pellux_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/com_init.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hglobal_stream.cpp
)
