# Copies of a main window description whose skin component stores a damaged skin, for the tests
# that start a program's window from them. The damaged archives are made at build time from the
# packed default skin, so that they follow it when it changes.
#
#   damaged_skin_descriptions(<description> <folder> <outputs variable>)
#     adds the build rules for <folder>/<kind>.skn and <folder>/main_form_skin_<kind>.txt, one
#     per kind, and sets <outputs variable> to the descriptions:
#       truncated        the first half of the archive: the stream ends in the middle
#       unknown_version  a whole stream whose archive header names a version no program knows
#       empty            no archive at all: the stream's length is 0
#
# Script mode (the rules' command):
#   cmake -DSKIN=<packed skin> -DKIND=<kind> -DOUTPUT=<damaged archive> -P damaged_skins.cmake

if(CMAKE_SCRIPT_MODE_FILE)
  if(KIND STREQUAL "truncated")
    file(READ "${SKIN}" archive HEX)
    string(LENGTH "${archive}" digits)
    math(EXPR half "${digits} / 4 * 2")
    string(SUBSTRING "${archive}" 0 ${half} hex)
  elseif(KIND STREQUAL "unknown_version")
    # The decoder's ring starts out filled with spaces, so one copy of 16 of them makes a
    # whole archive header whose version reads 0x20202020. The copy's symbol is coded as the
    # fresh tree codes it: leaf s hangs below node 314 + s / 2, and so on up to the root (626);
    # each node's lowest bit is the bit that picks it, written root first.
    set(symbol 269)  # a copy of 16 bytes: 16 + 253
    set(bits "")
    set(node ${symbol})
    while(NOT node EQUAL 626)
      math(EXPR bit "${node} % 2")
      string(PREPEND bits "${bit}")
      math(EXPR node "314 + ${node} / 2")
    endwhile()
    # The distance 0: three bits of prefix and six of offset, all zero; then pad to bytes.
    string(APPEND bits "000000000")
    string(LENGTH "${bits}" count)
    math(EXPR pad "(8 - ${count} % 8) % 8")
    string(REPEAT "0" ${pad} zeros)
    string(APPEND bits "${zeros}")
    set(hex "10000000")  # the decoded length, 16, little-endian
    string(LENGTH "${bits}" count)
    foreach(at RANGE 0 ${count} 8)
      if(at LESS count)
        string(SUBSTRING "${bits}" ${at} 8 byte_bits)
        set(value 0)
        foreach(i RANGE 0 7)
          string(SUBSTRING "${byte_bits}" ${i} 1 b)
          math(EXPR value "${value} * 2 + ${b}")
        endforeach()
        math(EXPR value "256 + ${value}" OUTPUT_FORMAT HEXADECIMAL)
        string(SUBSTRING "${value}" 3 2 value)
        string(APPEND hex "${value}")
      endif()
    endforeach()
  elseif(KIND STREQUAL "empty")
    set(hex "")
  else()
    message(FATAL_ERROR "unknown kind of damage '${KIND}'")
  endif()
  # CMake writes no NUL byte; the shell's printf does.
  string(REGEX REPLACE "([0-9a-fA-F][0-9a-fA-F])" "\\\\x\\1" escaped "${hex}")
  execute_process(COMMAND bash -c "printf '%b' \"$1\"" damage "${escaped}" OUTPUT_FILE "${OUTPUT}"
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "could not write ${OUTPUT}")
  endif()
  return()
endif()

set(VQ_DAMAGED_SKINS_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

function(damaged_skin_descriptions description folder outputs)
  set(skin ${PROJECT_SOURCE_DIR}/skin/skins/default.skn)
  set(written "")
  foreach(kind truncated unknown_version empty)
    add_custom_command(OUTPUT ${folder}/${kind}.skn
      COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
      COMMAND ${CMAKE_COMMAND} -DSKIN=${skin} -DKIND=${kind} -DOUTPUT=${folder}/${kind}.skn
              -P ${VQ_DAMAGED_SKINS_SCRIPT}
      DEPENDS ${skin} ${VQ_DAMAGED_SKINS_SCRIPT}
      COMMENT "Damaging a copy of the default skin: ${kind}"
      VERBATIM)
    embed_skin_stream(${description} ${folder}/${kind}.skn ${folder}/main_form_skin_${kind}.txt)
    list(APPEND written ${folder}/main_form_skin_${kind}.txt)
  endforeach()
  set(${outputs} ${written} PARENT_SCOPE)
endfunction()
