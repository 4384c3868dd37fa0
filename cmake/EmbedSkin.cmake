# A program's main window description carries its skin in the SkinStream property of its skin
# component. The sources leave that property empty; the build writes the packed skin into a copy
# of the description, so what a program carries is always what the skin generator packed.
#
#   embed_skin_stream(<description> <skin archive> <output>)
#     adds the build rule; <output> is then a generated file that a resource script can name.
#
# Script mode (the rule's command):
#   cmake -DDESCRIPTION=<in> -DSKIN=<archive> -DOUTPUT=<out> -P EmbedSkin.cmake
# SkinStream is written as the archive's length in four little-endian bytes followed by the
# archive, in hexadecimal, 64 digits a line.

if(CMAKE_SCRIPT_MODE_FILE)
  file(READ "${DESCRIPTION}" text)
  string(REGEX MATCH "\n( *)SkinStream = {[^}]*}" block "${text}")
  if(NOT block)
    message(FATAL_ERROR "${DESCRIPTION} has no SkinStream property")
  endif()
  set(outer "${CMAKE_MATCH_1}")
  set(indent "${outer}  ")

  file(SIZE "${SKIN}" size)
  set(hex "")
  foreach(shift 0 8 16 24)
    math(EXPR byte "256 + ((${size} >> ${shift}) & 255)" OUTPUT_FORMAT HEXADECIMAL)
    string(SUBSTRING "${byte}" 3 2 byte)
    string(APPEND hex "${byte}")
  endforeach()
  if(size GREATER 0)
    file(READ "${SKIN}" archive HEX)
    string(APPEND hex "${archive}")
  endif()
  string(TOUPPER "${hex}" hex)

  string(REPEAT "[0-9A-F]" 64 line)
  string(REGEX REPLACE "(${line})" "\\1\n${indent}" lines "${hex}")
  # An archive of a whole number of lines leaves an empty last line behind.
  string(REGEX REPLACE "\n *$" "" lines "${lines}")
  string(REPLACE "${block}" "\n${outer}SkinStream = {\n${indent}${lines}}" text "${text}")

  # Unchanged copies keep their time, so the resources are not compiled again.
  if(EXISTS "${OUTPUT}")
    file(READ "${OUTPUT}" old)
    if(old STREQUAL text)
      return()
    endif()
  endif()
  file(WRITE "${OUTPUT}" "${text}")
  return()
endif()

set(VQ_EMBED_SKIN_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

function(embed_skin_stream description skin output)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DDESCRIPTION=${description} -DSKIN=${skin} -DOUTPUT=${output}
            -P ${VQ_EMBED_SKIN_SCRIPT}
    DEPENDS ${description} ${skin} ${VQ_EMBED_SKIN_SCRIPT}
    COMMENT "Writing the skin into ${output}"
    VERBATIM)
endfunction()
