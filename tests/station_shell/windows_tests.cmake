# Windows tests of the shell's windows (under Wine with a display).
if(NOT TARGET station_shell_windows)
  return()
endif()

vq_add_test(station_shell_window_tests
  SOURCES boxes_window_test.cpp screenshots.cpp
  LIBS station_shell_windows skinned_session_support window_test_support
  TIMEOUT 120)

get_property(station_resources GLOBAL PROPERTY VQ_STATION_RESOURCE_OBJECT)
set_source_files_properties(${station_resources} PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
# The boxes come from their descriptions among the program's resources.
target_sources(station_shell_window_tests PRIVATE ${station_resources})
add_dependencies(station_shell_window_tests station_shell_resources)
# Broken copies of the main window's description, for the start-up's error path.
set(broken_dir ${CMAKE_CURRENT_BINARY_DIR}/broken_descriptions)
set(broken_object ${broken_dir}/broken_descriptions_rc.o)
set(main_description ${PROJECT_SOURCE_DIR}/station/forms/main_form.txt)
add_custom_command(OUTPUT ${broken_object}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${broken_dir}
  COMMAND ${CMAKE_COMMAND} -DIN=${main_description} -DOUT=${broken_dir}/main_form_bad_value.txt
          "-DFROM=Interval = 800" "-DTO=Interval = 'soon'" -P ${CMAKE_CURRENT_SOURCE_DIR}/break_description.cmake
  COMMAND ${CMAKE_COMMAND} -DIN=${main_description} -DOUT=${broken_dir}/main_form_no_part.txt
          "-DFROM=object listLog: TEcListBox" "-DTO=object listLines: TEcListBox"
          -P ${CMAKE_CURRENT_SOURCE_DIR}/break_description.cmake
  COMMAND ${CMAKE_COMMAND} -DIN=${main_description} -DOUT=${broken_dir}/main_form_truncated.txt
          "-DCUT=  object MainMenu: TMainMenu" -P ${CMAKE_CURRENT_SOURCE_DIR}/break_description.cmake
  COMMAND ${VQ_WINDRES} -I${broken_dir} -O coff -i ${CMAKE_CURRENT_SOURCE_DIR}/broken_descriptions.rc
          -o ${broken_object}
  DEPENDS ${main_description} ${CMAKE_CURRENT_SOURCE_DIR}/break_description.cmake
          ${CMAKE_CURRENT_SOURCE_DIR}/broken_descriptions.rc
  COMMENT "Breaking copies of the main window's description"
  VERBATIM)
set_source_files_properties(${broken_object} PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
vq_add_test(station_shell_main_window_tests
  SOURCES main_window_test.cpp main_window_description_test.cpp main_window_start_up_test.cpp screenshots.cpp
          ${station_resources} ${broken_object}
  LIBS station_shell_windows window_test_support
  TIMEOUT 120)
add_dependencies(station_shell_main_window_tests station_shell_resources)
target_compile_definitions(station_shell_main_window_tests PRIVATE VQ_SKIN_STORED_DIR="${PROJECT_SOURCE_DIR}/skin/skins")

# The program itself with stand-in devices, in the test's own network namespace.
# (The stand-in device's folder is added after this one.)
if(TARGET velquist AND TARGET station_db
   AND EXISTS ${PROJECT_SOURCE_DIR}/tests/support/standin/CMakeLists.txt
   AND NOT "tests/support" IN_LIST VQ_SKIP AND NOT "tests/support/standin" IN_LIST VQ_SKIP)
  vq_add_test(station_shell_program_tests NETNS
    SOURCES station_process_test.cpp station_process.cpp screenshots.cpp
    LIBS station_shell_windows standin_device station_db window_test_support
    TIMEOUT 400)
  add_dependencies(station_shell_program_tests velquist tarnlink)
endif()

# Copies of the main window's description whose stored skin is damaged, for starting the window
# with its views and dialogs unskinned.
include(${PROJECT_SOURCE_DIR}/tests/support/damaged_skins.cmake)
set(damaged_dir ${CMAKE_CURRENT_BINARY_DIR}/damaged_skins)
set(damaged_object ${damaged_dir}/damaged_skins_rc.o)
damaged_skin_descriptions(${main_description} ${damaged_dir} damaged_descriptions)
add_custom_command(OUTPUT ${damaged_object}
  COMMAND ${VQ_WINDRES} -I${damaged_dir} -O coff -i ${CMAKE_CURRENT_SOURCE_DIR}/damaged_skins.rc -o ${damaged_object}
  DEPENDS ${damaged_descriptions} ${CMAKE_CURRENT_SOURCE_DIR}/damaged_skins.rc
  COMMENT "Compiling the copies of the main window's description with a damaged skin"
  VERBATIM)
set_source_files_properties(${damaged_object} PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)

# The main window with the search view and the dialogs wired in.
if(TARGET station_shell_views)
  vq_add_test(station_shell_views_tests
    SOURCES station_views_test.cpp station_dialogs_skin_test.cpp screenshots.cpp ${station_resources}
    LIBS station_shell_views skinned_session_support window_test_support
    TIMEOUT 300)
  add_dependencies(station_shell_views_tests station_shell_resources)
  target_compile_definitions(station_shell_views_tests PRIVATE VQ_SKIN_STORED_DIR="${PROJECT_SOURCE_DIR}/skin/skins")
  # The main window's own skin as it runs, and its start from damaged stored skins.
  vq_add_test(station_shell_skin_tests
    SOURCES main_window_skin_test.cpp damaged_skin_test.cpp screenshots.cpp ${station_resources} ${damaged_object}
    LIBS station_shell_views skinned_session_support window_test_support
    TIMEOUT 300)
  add_dependencies(station_shell_skin_tests station_shell_resources)
  target_compile_definitions(station_shell_skin_tests PRIVATE VQ_SKIN_STORED_DIR="${PROJECT_SOURCE_DIR}/skin/skins")
endif()
