# The station's windows and the program (Windows build only).
if(NOT TARGET ui)
  return()
endif()

add_library(station_shell_windows STATIC
  board_list_view.cpp
  message_boxes.cpp
  station_description.cpp)
target_link_libraries(station_shell_windows PUBLIC station_shell_model ui controls shell32 comctl32)

target_sources(station_shell_windows PRIVATE
  language_window.cpp
  state_frame.cpp
  main_form.cpp
  single_instance.cpp)
target_link_libraries(station_shell_windows PUBLIC station_engine station_db skin_win)

# Icons drawn at build time, compiled with the resource compiler.
find_program(VQ_WINDRES NAMES x86_64-w64-mingw32-windres windres REQUIRED)
find_program(VQ_CONVERT NAMES convert REQUIRED)
set(icon_dir ${CMAKE_CURRENT_BINARY_DIR}/icons)
set(icon_stamp ${icon_dir}/main.ico)
add_custom_command(OUTPUT ${icon_stamp}
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/make_icons.sh ${icon_dir}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/make_icons.sh
  COMMENT "Drawing the station's icons")
# The main window's description with the default skin written into its skin component.
set(main_description ${CMAKE_CURRENT_BINARY_DIR}/velquist_main_form.txt)
embed_skin_stream(${CMAKE_CURRENT_SOURCE_DIR}/main_form.txt ${PROJECT_SOURCE_DIR}/skin/skins/default.skn
                  ${main_description})
set(resource_object ${CMAKE_CURRENT_BINARY_DIR}/velquist_rc.o)
add_custom_command(OUTPUT ${resource_object}
  COMMAND ${VQ_WINDRES} -I${PROJECT_SOURCE_DIR} -I${icon_dir} -I${CMAKE_CURRENT_BINARY_DIR} -O coff
          -i ${CMAKE_CURRENT_SOURCE_DIR}/velquist.rc -o ${resource_object}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/velquist.rc ${CMAKE_CURRENT_SOURCE_DIR}/resource_ids.h ${icon_stamp}
          ${CMAKE_CURRENT_SOURCE_DIR}/search/search_frame.txt
          ${PROJECT_SOURCE_DIR}/skin/resources/skinmenuglyphs.bmp
          ${PROJECT_SOURCE_DIR}/skin/resources/track.bmp ${PROJECT_SOURCE_DIR}/skin/resources/trackvert.bmp
          ${CMAKE_CURRENT_SOURCE_DIR}/settings/form_settings.txt
          ${CMAKE_CURRENT_SOURCE_DIR}/conf_form.txt ${CMAKE_CURRENT_SOURCE_DIR}/msg_form.txt
          ${CMAKE_CURRENT_SOURCE_DIR}/multi_conf_form.txt
          ${CMAKE_CURRENT_SOURCE_DIR}/search/rec_log_property_form.txt
          ${CMAKE_CURRENT_SOURCE_DIR}/search/edit_call_log_comment_form.txt
          ${CMAKE_CURRENT_SOURCE_DIR}/settings/sel_columns_form.txt
          ${CMAKE_CURRENT_SOURCE_DIR}/settings/view_or_print_log_form.txt
          ${main_description} ${CMAKE_CURRENT_SOURCE_DIR}/state_frame.txt
  COMMENT "Compiling the station's resources")
set_source_files_properties(${resource_object} PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
add_custom_target(station_shell_resources DEPENDS ${resource_object})
# The window tests link the same icons.
set_property(GLOBAL PROPERTY VQ_STATION_RESOURCE_OBJECT ${resource_object})

# The search view and the dialogs wired into the main window.
if(TARGET station_search_forms AND TARGET station_settings_forms)
  add_library(station_shell_views STATIC station_views.cpp)
  target_link_libraries(station_shell_views PUBLIC station_shell_windows station_search_forms station_settings_forms
                        platform_media)
endif()

# The program needs the real library binding and its views; without them only the windows
# above are built.
if(NOT TARGET station_engine_tarnlink OR NOT TARGET station_shell_views)
  return()
endif()

add_executable(velquist WIN32 velquist_main.cpp ${resource_object})
set_target_properties(velquist PROPERTIES OUTPUT_NAME Velquist)
target_link_libraries(velquist PRIVATE station_shell_views station_engine_tarnlink)
target_link_options(velquist PRIVATE -municode -static -static-libgcc -static-libstdc++)
# The library sits beside the program.
add_dependencies(velquist tarnlink)
