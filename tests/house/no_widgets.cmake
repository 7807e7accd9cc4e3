cmake_minimum_required(VERSION 3.25)
# Fails when a file that must run without windows includes a Qt Widgets header or one of the
# project's window files. Run with -P and:
#   WIDGETS_DIR   the QtWidgets include directory (its file names are the headers to refuse)
#   MODEL_FILES   ;-list of files that must not depend on Qt Widgets
#   WINDOW_FILES  ;-list of the project's window files, relative to the source root
#   LINK_FAILURES ;-list of "target->library" links to window code found at configure time
file(GLOB widget_headers RELATIVE "${WIDGETS_DIR}" "${WIDGETS_DIR}/*")
set(failures ${LINK_FAILURES})
foreach(file IN LISTS MODEL_FILES)
  file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"].*" "\\1" name "${line}")
    get_filename_component(base "${name}" NAME)
    if(name MATCHES "^QtWidgets/?" OR (NOT name MATCHES "/" AND base IN_LIST widget_headers)
       OR name IN_LIST WINDOW_FILES)
      list(APPEND failures "${file}: ${name}")
    endif()
  endforeach()
endforeach()
list(LENGTH MODEL_FILES checked)
if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "Code that must run without windows depends on window code:\n  ${text}")
endif()
message(STATUS "${checked} files include no window header")
