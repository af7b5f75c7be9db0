# Unit tests of the main window's texts and rules.
add_executable(app_rules_tests
  ${CMAKE_CURRENT_LIST_DIR}/texts_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/session_rules_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/presentation_test.cpp
)
target_link_libraries(app_rules_tests PRIVATE ssi_app_rules GTest::gtest_main)
gtest_discover_tests(app_rules_tests)
