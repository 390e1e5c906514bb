# The browser build (Emscripten): the engine, the driver and the tests run
# under Node, and the web frontend (src/web) is built into a static site.
#   emcmake cmake -S . -B build/web-driver -DKALVITOR_QT=OFF         driver + tests under Node
#   emcmake cmake -S . -B build/web -DKALVITOR_QT=OFF -DKALVITOR_TESTS=OFF \
#                 -DKALVITOR_EXCEPTIONS=OFF -DKALVITOR_WEB_SITE=ON    the site (scripts/web.sh)
# The driver reports a bad script by throwing, so its build catches C++
# exceptions; the game itself throws nothing it means to catch, and the
# site is built without them (a throw there ends the program).
option(KALVITOR_WEB_SITE "Build the browser game's site (src/web)" OFF)
option(KALVITOR_EXCEPTIONS "Catch C++ exceptions (the driver and the tests need them)" ON)
if(KALVITOR_EXCEPTIONS)
  add_compile_options(-fexceptions)
  add_link_options(-fexceptions)
endif()

# Programs run under Node see the machine's own files (the driver's --dir,
# the tests' work folders), and grow their memory as they need.
function(kalvitor_node_program target)
  target_link_options(${target} PRIVATE -sNODERAWFS=1 -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1)
endfunction()

# Node runs the programs of this build (ctest's launcher). Emscripten 3.1.6
# writes modules that this Node only loads from a file with its own fetch()
# turned off.
find_program(KALVITOR_NODE NAMES node nodejs REQUIRED)
configure_file(${CMAKE_CURRENT_LIST_DIR}/node-run.sh.in ${CMAKE_BINARY_DIR}/node-run.sh @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/node-run.sh CACHE FILEPATH "Runs this build's programs" FORCE)

# GoogleTest from its sources, single-threaded.
set(KALVITOR_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources, built with the tests")
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
