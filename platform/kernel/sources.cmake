# Sources of this part of the layer.
target_sources(pellux_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/builtin_module_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/console.cpp
  ${CMAKE_CURRENT_LIST_DIR}/critical_section.cpp
  ${CMAKE_CURRENT_LIST_DIR}/events.cpp
  ${CMAKE_CURRENT_LIST_DIR}/files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/global_memory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/handle_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kernel32_module.cpp
  ${CMAKE_CURRENT_LIST_DIR}/last_error.cpp
  ${CMAKE_CURRENT_LIST_DIR}/modules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/native_open.cpp
  ${CMAKE_CURRENT_LIST_DIR}/posix_errors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/threads.cpp
  ${CMAKE_CURRENT_LIST_DIR}/time.cpp
  ${CMAKE_CURRENT_LIST_DIR}/utf16.cpp
  ${CMAKE_CURRENT_LIST_DIR}/waitable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wide_strings.cpp
)
