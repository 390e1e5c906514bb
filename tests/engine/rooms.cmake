# The engine's rooms are kept apart by their include roots: compiled as the
# life is, a file finds the life and what lies below it, and no window.
# Run as: cmake -DCXX=compiler -DROOT=life_include_root -DWORK=dir -P rooms.cmake
file(MAKE_DIRECTORY ${WORK})
foreach(header "life/life.h" "util/text.h" "port.h" "windows/game.h" "windows/forms/form.h")
  string(MAKE_C_IDENTIFIER ${header} unit)
  file(WRITE ${WORK}/${unit}.cpp "#include \"${header}\"\n")
  execute_process(COMMAND ${CXX} -std=c++20 -fsyntax-only -I${ROOT} ${WORK}/${unit}.cpp
                  RESULT_VARIABLE failed OUTPUT_QUIET ERROR_VARIABLE errors)
  if(header MATCHES "^windows/")
    if(NOT failed OR NOT errors MATCHES "No such file")
      message(FATAL_ERROR "the life can include ${header}")
    endif()
  elseif(failed)
    message(FATAL_ERROR "the life cannot include ${header}:\n${errors}")
  endif()
endforeach()
message(STATUS "the life sees itself and what lies below it, and no window")
