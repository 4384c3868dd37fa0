# The dialogs driven by messages under Wine with a display.
if(NOT TARGET station_settings_forms)
  return()
endif()

vq_add_test(station_settings_window_tests
  SOURCES dialog_driver.cpp settings_dialog_test.cpp column_chooser_window_test.cpp log_viewer_window_test.cpp prompts_window_test.cpp
  LIBS station_settings_forms window_test_support
  TIMEOUT 180)
# The dialogs and their boxes come from their descriptions among the program's resources.
get_property(station_resources GLOBAL PROPERTY VQ_STATION_RESOURCE_OBJECT)
set_source_files_properties(${station_resources} PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
target_sources(station_settings_window_tests PRIVATE ${station_resources})
add_dependencies(station_settings_window_tests station_shell_resources)
