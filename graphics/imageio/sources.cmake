# Sources of this subsystem.
target_sources(pellux_graphics PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/imaging_binding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/global_memory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_loading.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_saving.cpp)
