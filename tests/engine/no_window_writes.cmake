# No window writes the game's state. The windows read it through the life's
# const view (Life::s) and change it only through the life's routines; the
# one way around the view, Life::StateForSetUp (the driver's `set`, tests'
# set-up), is not theirs, and neither is a const_cast.
# Run as: cmake -DDIRS="dir;dir" -P no_window_writes.cmake
foreach(dir ${DIRS})
  file(GLOB_RECURSE files ${dir}/*.cpp ${dir}/*.h)
  foreach(f ${files})
    file(STRINGS ${f} lines REGEX "StateForSetUp|const_cast")
    if(lines)
      message(FATAL_ERROR "${f} writes the game's state around the life:\n${lines}")
    endif()
  endforeach()
endforeach()
message(STATUS "no window writes the game's state")
