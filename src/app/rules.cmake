# The main window's texts and rules that need no window: plain C++ over the sensor link.
add_library(ssi_app_rules STATIC
  ${CMAKE_CURRENT_LIST_DIR}/texts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/session_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/presentation.cpp
)
target_include_directories(ssi_app_rules PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(ssi_app_rules PUBLIC ssi_link ssi_text_rows ssi_editing_rules ssi_linearization_rules
  ssi_firmware_rules ssi_files_rules ssi_sensortest_rules ssi_reports_rules)

# The row type of the language catalogue, which every feature area fills with its own rows.
add_library(ssi_text_rows INTERFACE)
target_include_directories(ssi_text_rows INTERFACE ${CMAKE_CURRENT_LIST_DIR}/catalogue)
