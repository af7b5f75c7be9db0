# A feature area of the window has two libraries: ssi_<area>_rules, its rules and texts
# in plain C++ that a unit test reaches without a window, and ssi_<area>, its pages and
# controller in Qt, given the sensor session. An area sees src/session, src/ui and
# src/link below it, and the areas it names in LINKS, never the frame in src/app.
#   ssi_add_feature_area(<area> RULES <sources...> WINDOW <sources...> [LINKS <libraries...>])
function(ssi_add_feature_area area)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "RULES;WINDOW;LINKS")
  add_library(ssi_${area}_rules STATIC ${arg_RULES})
  target_include_directories(ssi_${area}_rules PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(ssi_${area}_rules PUBLIC ssi_session_rules ssi_link)
  ssi_plain_library(ssi_${area}_rules)

  add_library(ssi_${area} STATIC ${arg_WINDOW})
  set_target_properties(ssi_${area} PROPERTIES AUTOMOC ON AUTOUIC ON)
  target_include_directories(ssi_${area} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}
    ${CMAKE_CURRENT_BINARY_DIR}/ssi_${area}_autogen/include)
  target_link_libraries(ssi_${area} PUBLIC ssi_${area}_rules ssi_session ssi_ui ${arg_LINKS} Qt6::Widgets)
endfunction()
