# The libraries in plain C++ (the link and the rules of the session, the frame and every
# area) ship for Windows too. Each is registered here; the configure step writes their
# sources and include folders to plain_sources.txt, which .ci/run compiles with mingw-w64.
function(ssi_plain_library target)
  set_property(GLOBAL APPEND PROPERTY SSI_PLAIN_LIBRARIES ${target})
endfunction()

# Lines "include DIR" and "source FILE", the POSIX port replaced by the Windows one.
function(ssi_write_plain_sources file)
  get_property(libraries GLOBAL PROPERTY SSI_PLAIN_LIBRARIES)
  set(lines "")
  foreach(library IN LISTS libraries)
    get_target_property(source_dir ${library} SOURCE_DIR)
    get_target_property(includes ${library} INTERFACE_INCLUDE_DIRECTORIES)
    get_target_property(sources ${library} SOURCES)
    foreach(include IN LISTS includes)
      string(APPEND lines "include ${include}\n")
    endforeach()
    foreach(source IN LISTS sources)
      cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${source_dir})
      string(REPLACE "_posix.cpp" "_win32.cpp" source ${source})
      if(source MATCHES "\\.cpp$")
        string(APPEND lines "source ${source}\n")
      endif()
    endforeach()
  endforeach()
  file(WRITE ${file} "${lines}")
endfunction()
