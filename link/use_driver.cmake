# zelvo_use_driver(<target>): a program that loads libflxapi32.so by its bare name finds the
# copy beside itself in the build folder (RPATH $ORIGIN), and building the program builds the
# driver library too. Installed, it has no RPATH: it finds the driver in its own library folder.
# Include this file from any folder; it does not depend on the order of add_subdirectory.
include_guard(GLOBAL)

function(zelvo_use_driver target)
  set_target_properties(${target} PROPERTIES
    BUILD_RPATH "$ORIGIN")
  # The driver folder may be added after the caller's; look for its target at the end.
  cmake_language(EVAL CODE "
    cmake_language(DEFER DIRECTORY [[${CMAKE_SOURCE_DIR}]] CALL _zelvo_driver_dependency [[${target}]])")
endfunction()

function(_zelvo_driver_dependency target)
  if(TARGET flxapi32)
    add_dependencies(${target} flxapi32)
  endif()
endfunction()
