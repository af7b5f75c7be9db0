# The frame's texts and rules that need no window: plain C++ over the sensor link and the
# areas' rules.
add_library(ssi_app_rules STATIC
  ${CMAKE_CURRENT_LIST_DIR}/texts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/session_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/presentation.cpp
)
target_include_directories(ssi_app_rules PUBLIC ${CMAKE_CURRENT_LIST_DIR})
ssi_plain_library(ssi_app_rules)
target_link_libraries(ssi_app_rules PUBLIC ssi_link ssi_session_rules ssi_editing_rules ssi_linearization_rules
  ssi_firmware_rules ssi_files_rules ssi_sensortest_rules ssi_reports_rules)
