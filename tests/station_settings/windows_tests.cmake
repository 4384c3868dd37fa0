# The dialogs driven by messages under Wine with a display.
if(NOT TARGET station_settings_forms)
  return()
endif()

vq_add_test(station_settings_window_tests
  SOURCES dialog_driver.cpp settings_dialog_test.cpp column_chooser_window_test.cpp log_viewer_window_test.cpp prompts_window_test.cpp
  LIBS station_settings_forms window_test_support
  TIMEOUT 180)
