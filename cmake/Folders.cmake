# vq_add_subfolders(<path below the source root>): adds every folder below the current one that
# has a CMakeLists.txt, in name order, unless VQ_SKIP names it.
function(vq_add_subfolders path)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child ${children})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt AND NOT "${path}/${child}" IN_LIST VQ_SKIP)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
