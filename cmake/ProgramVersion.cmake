# Writes OUTPUT, a header with the program's version: the project's, and `git describe` of the
# checkout the sources come from when they are one. Run at every build; the header changes only
# when the text does, so nothing is recompiled for nothing.
#   cmake -DSOURCE_DIR=... -DVERSION=2.0.0 -DOUTPUT=.../LumetraVersion.h -P ProgramVersion.cmake
set(_described "${VERSION}")
find_program(_git git)
if(_git AND EXISTS "${SOURCE_DIR}/.git")
  execute_process(COMMAND "${_git}" -C "${SOURCE_DIR}" describe --always --dirty
                  OUTPUT_VARIABLE _describe OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE _rc)
  if(_rc EQUAL 0 AND NOT _describe STREQUAL "")
    set(_described "${VERSION} (git ${_describe})")
  endif()
endif()
set(_text "#pragma once\n// Generated at build time by cmake/ProgramVersion.cmake.\n"
          "#define LUMETRA_VERSION \"${VERSION}\"\n"
          "// The version with `git describe` of the checkout, when built from one.\n"
          "#define LUMETRA_VERSION_DESCRIBED \"${_described}\"\n")
string(CONCAT _text ${_text})
set(_old "")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" _old)
endif()
if(NOT _old STREQUAL _text)
  file(WRITE "${OUTPUT}.tmp" "${_text}")
  file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
endif()
