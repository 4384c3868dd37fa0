# The shipped programs (what the demo runs and what a user copies to a Windows machine) come
# from a Release build: the `shipped` target puts each one, stripped, into <build>/shipped with
# its debug information beside it as <file>.debug, which a debugger finds through the program's
# debug link. The test trees keep their debug information in the programs.
function(vq_add_shipped_target)
  if(NOT WIN32 OR NOT CMAKE_BUILD_TYPE STREQUAL "Release")
    return()
  endif()
  set(outputs)
  foreach(target ${ARGN})
    if(NOT TARGET ${target})
      continue()
    endif()
    # The file's name as the target makes it (output paths cannot ask the target itself).
    get_target_property(name ${target} OUTPUT_NAME)
    if(NOT name)
      set(name ${target})
    endif()
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "SHARED_LIBRARY")
      get_target_property(prefix ${target} PREFIX)
      if(prefix MATCHES "NOTFOUND$")
        set(prefix ${CMAKE_SHARED_LIBRARY_PREFIX})
      endif()
      set(file ${prefix}${name}${CMAKE_SHARED_LIBRARY_SUFFIX})
    else()
      set(file ${name}${CMAKE_EXECUTABLE_SUFFIX})
    endif()
    set(out ${CMAKE_BINARY_DIR}/shipped/${file})
    # The debug link holds the file name only: the .debug file is looked up beside the program.
    add_custom_command(OUTPUT ${out} ${out}.debug
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/shipped
      COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> ${out}.debug
      COMMAND ${CMAKE_STRIP} --strip-all -o ${out} $<TARGET_FILE:${target}>
      COMMAND ${CMAKE_OBJCOPY} --add-gnu-debuglink=${file}.debug ${file}
      DEPENDS ${target}
      WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/shipped
      COMMENT "Shipped: ${file}, stripped, debug information in ${file}.debug"
      VERBATIM)
    list(APPEND outputs ${out} ${out}.debug)
  endforeach()
  add_custom_target(shipped ALL DEPENDS ${outputs})
endfunction()
