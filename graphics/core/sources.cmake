target_sources(pellux_graphics PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/graph_state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/free_functions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image.cpp
  ${CMAKE_CURRENT_LIST_DIR}/styles.cpp)
