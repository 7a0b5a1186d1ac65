# Writes the manual pages lumetra.1.gz and lumetra-cli.1.gz into OUT_DIR with help2man, from the
# built programs' own --help and --version; lumetra-cli's page carries every command's help in
# a COMMANDS section.
#   cmake -DHELP2MAN=... -DGUI=.../lumetra -DCLI=.../lumetra-cli -DOUT_DIR=... -P ManPages.cmake
file(MAKE_DIRECTORY "${OUT_DIR}")
set(ENV{QT_QPA_PLATFORM} offscreen)
execute_process(COMMAND "${CLI}" --version OUTPUT_VARIABLE _version OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
# "lumetra-cli 2.0.0 (git ...)": the page names the release alone.
string(REGEX MATCH "[0-9]+\\.[0-9]+\\.[0-9]+" _version "${_version}")

# Lines that start with a dot or an apostrophe would be read as requests.
function(roff_text out text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

execute_process(COMMAND "${CLI}" --help OUTPUT_VARIABLE _tool COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "\n  [a-z0-9]+ " _entries "${_tool}")
set(_include "[SYNOPSIS]\n.B lumetra-cli\n\\fICOMMAND\\fR [\\fIARGS\\fR...]\n.br\n.B lumetra-cli\n\\fICOMMAND\\fR \\-\\-help\n.br\n.B lumetra-cli \\-\\-version\n[COMMANDS]\nEach command's help, as lumetra-cli COMMAND --help prints it.\n")
foreach(_entry ${_entries})
  string(STRIP "${_entry}" _command)
  execute_process(COMMAND "${CLI}" ${_command} --help OUTPUT_VARIABLE _help COMMAND_ERROR_IS_FATAL ANY)
  roff_text(_help "${_help}")
  string(APPEND _include ".SS ${_command}\n.nf\n${_help}.fi\n")
endforeach()
string(APPEND _include "[FILES]\n.TP\n/usr/share/lumetra/configtext.txt\nthe shipped settings (integration width 5), "
       "read while ~/.config/Lumetra/configtext.txt does not exist\n"
       "[SEE ALSO]\n.BR lumetra (1);\n/usr/share/doc/lumetra/README.md\n")
file(WRITE "${OUT_DIR}/lumetra-cli.h2m" "${_include}")
file(WRITE "${OUT_DIR}/lumetra.h2m"
     "[SYNOPSIS]\n.B lumetra\n[\\-\\-simulated\\-camera | \\-\\-camera \\fIID\\fR] [\\fIIMAGE\\fR]\n.br\n"
     ".B lumetra\n\\-\\-help | \\-\\-version\n"
     "[FILES]\n.TP\n/usr/share/lumetra/configtext.txt\nthe shipped settings, read while the user has none\n"
     ".TP\n~/.config/Lumetra/\nthe user's settings\n[SEE ALSO]\n.BR lumetra-cli (1);\n/usr/share/doc/lumetra/README.md\n")

foreach(_page lumetra lumetra-cli)
  if(_page STREQUAL "lumetra")
    set(_program "${GUI}")
    set(_name "measure laser beams and light spots (the workstation)")
  else()
    set(_program "${CLI}")
    set(_name "Lumetra's beam measurements from the command line")
  endif()
  execute_process(COMMAND "${HELP2MAN}" --no-info --no-discard-stderr --section=1 "--name=${_name}"
                          "--version-string=${_version}" "--include=${OUT_DIR}/${_page}.h2m"
                          "--output=${OUT_DIR}/${_page}.1" "${_program}"
                  COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE "${OUT_DIR}/${_page}.1.gz")
  execute_process(COMMAND gzip -9n "${OUT_DIR}/${_page}.1" COMMAND_ERROR_IS_FATAL ANY)
endforeach()
