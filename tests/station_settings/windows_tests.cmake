# The dialogs driven by messages under Wine with a display.
if(NOT TARGET station_settings_forms)
  return()
endif()

# The dialogs' descriptions are resources of the station.
get_property(station_resources GLOBAL PROPERTY VQ_STATION_RESOURCE_OBJECT)
set_source_files_properties(${station_resources} PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
vq_add_test(station_settings_window_tests
  SOURCES dialog_driver.cpp settings_dialog_test.cpp settings_description_test.cpp column_chooser_window_test.cpp
          log_viewer_window_test.cpp prompts_window_test.cpp
          ${station_resources}
  LIBS station_settings_forms skinned_session_support window_test_support
  TIMEOUT 180)
add_dependencies(station_settings_window_tests station_shell_resources)
