# Every text of the windows has a finished English and French translation that fills in the same
# %1 arguments and names the same shortcut, and no translation is left of a text the code no
# longer has. lupdate reads the code into copies of the .ts files, as
# the target update_translations would; the copies then tell what is new or gone.
#   cmake -DLUPDATE=... -DSOURCE_DIR=... -DWORK_DIR=... "-DTS_FILES=..." "-DSOURCES=..." -P translations.cmake

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(copies "")
foreach(ts IN LISTS TS_FILES)
  get_filename_component(name ${ts} NAME)
  file(COPY_FILE ${ts} ${WORK_DIR}/${name})
  list(APPEND copies ${WORK_DIR}/${name})
endforeach()

execute_process(
  COMMAND ${LUPDATE} -locations none -no-ui-lines -I ${SOURCE_DIR} ${SOURCES} -ts ${copies}
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lupdate failed:\n${output}")
endif()

set(faults "")
foreach(copy IN LISTS copies)
  get_filename_component(name ${copy} NAME)
  file(READ ${copy} ts)
  # lupdate writes a carriage return as an element; a semicolon would split the list of messages.
  string(REGEX REPLACE "<byte value=\"x([0-9a-f]+)\"/>" "@x\\1@" ts "${ts}")
  string(REPLACE ";" "@x3b@" ts "${ts}")
  # One <message> per match: its source, the type of its translation, if any, and its text.
  string(REGEX MATCHALL
         "<source>[^<]*</source>[^<]*(<comment>[^<]*</comment>[^<]*)?<translation[^>]*>[^<]*"
         messages "${ts}")
  foreach(message IN LISTS messages)
    string(REGEX MATCH "<source>([^<]*)</source>.*<translation([^>]*)>([^<]*)$" unused "${message}")
    set(source "${CMAKE_MATCH_1}")
    set(type "${CMAKE_MATCH_2}")
    set(translation "${CMAKE_MATCH_3}")
    if(type MATCHES "unfinished")
      string(APPEND faults "${name}: not translated: ${source}\n")
      continue()
    elseif(type MATCHES "vanished|obsolete")
      string(APPEND faults "${name}: no longer in the code: ${source}\n")
      continue()
    endif()
    # The translation fills in the same arguments and shows the same shortcut after the tab.
    foreach(text IN ITEMS source translation)
      string(REGEX MATCHALL "%[0-9]" ${text}_args "${${text}}")
      list(SORT ${text}_args)
      list(REMOVE_DUPLICATES ${text}_args)
      string(REGEX MATCH "\t.*$" ${text}_keys "${${text}}")
    endforeach()
    if(NOT source_args STREQUAL translation_args)
      string(APPEND faults "${name}: arguments ${source_args} not kept: ${source} -> ${translation}\n")
    endif()
    if(NOT source_keys STREQUAL translation_keys)
      string(APPEND faults "${name}: shortcut not kept: ${source} -> ${translation}\n")
    endif()
  endforeach()
  list(LENGTH messages count)
  if(count EQUAL 0)
    string(APPEND faults "${name}: no texts found\n")
  endif()
endforeach()

if(faults)
  message(FATAL_ERROR "The translations do not match the code (cmake --build build --target "
                      "update_translations, then translate):\n${faults}")
endif()
