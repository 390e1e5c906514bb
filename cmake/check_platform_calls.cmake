# Fails when a file of the desktop game other than its platform files calls
# the system directly (POSIX or Windows headers, or the calls they bring):
# the desktop game builds on Windows only while Qt stands between it and the
# system. Run by the build (src/qt/CMakeLists.txt):
#   cmake -DSOURCES="a.cpp|b.h" -DALLOWED="x.cpp|y.cpp" -DSTAMP=file -P check_platform_calls.cmake
string(REPLACE "|" ";" SOURCES "${SOURCES}")
string(REPLACE "|" ";" ALLOWED "${ALLOWED}")
cmake_minimum_required(VERSION 3.25)
set(headers "unistd|fcntl|dlfcn|pthread|signal|spawn|poll|termios|pwd|grp|libgen|sys/[a-z_]+|windows|io|process|direct")
set(calls "fork|vfork|exec[lv]p?e?|pipe2?|dlopen|dlsym|dlerror|getpid|getppid|getuid|geteuid|sigaction|kill|raise|"
          "setenv|unsetenv|putenv|readlink|fsync|waitpid|usleep|LoadLibrary(Ex)?[AW]?|GetProcAddress|CreateProcess[AW]?")
string(JOIN "" calls ${calls})
set(found "")
foreach(source IN LISTS SOURCES)
  if(source IN_LIST ALLOWED)
    continue()
  endif()
  file(STRINGS "${source}" lines REGEX "#include <(${headers})\\.h>|#include <csignal>|(^|[^A-Za-z0-9_.>])(::)?(${calls})[ ]*\\(")
  foreach(line IN LISTS lines)
    string(STRIP "${line}" line)
    if(NOT line MATCHES "^(//|\\*)")  # a comment
      list(APPEND found "${source}: ${line}")
    endif()
  endforeach()
endforeach()
if(found)
  list(JOIN found "\n  " found)
  message(FATAL_ERROR "system calls outside the platform files (${ALLOWED}):\n  ${found}")
endif()
file(WRITE "${STAMP}" "")
