# The message catalogues, compiled into the program.
#
# kalvitor_catalogues(TARGET FUNCTION PO_FILES... [BIG_ENDIAN PO_FILES...])
# compiles each <code>.po with msgfmt (checked: a translation whose format
# arguments do not match its original fails the build) and adds to TARGET a
# generated source that holds the .mo bytes, listed by FUNCTION()
# (util/embedded_catalogues.h) under their codes. The files after BIG_ENDIAN
# are compiled in that byte order too, as "<code>_big" (the tests' own).
#
# Why data in the program and not GNU libintl reading .mo files at run time:
# libintl is part of glibc on Linux only, and it needs the C library's locale
# machinery (setlocale, a locale installed for each language); neither is
# there for the Windows build (mingw) nor in the browser (Emscripten). The
# engine reads the same .mo bytes with its own reader (util/mo_catalogue.h)
# on all three, and a program needs no file beside it to speak a language.
find_program(KALVITOR_MSGFMT msgfmt REQUIRED NO_CMAKE_FIND_ROOT_PATH)

function(kalvitor_catalogues target function)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/catalogues/${function})
  file(MAKE_DIRECTORY ${dir})
  set(pairs "")
  set(mos "")
  set(endianness little)
  foreach(po IN LISTS ARGN)
    if(po STREQUAL "BIG_ENDIAN")
      set(endianness big)
      continue()
    endif()
    get_filename_component(code ${po} NAME_WE)
    if(endianness STREQUAL "big")
      string(APPEND code _big)
    endif()
    set(mo ${dir}/${code}.mo)
    add_custom_command(OUTPUT ${mo} COMMAND ${KALVITOR_MSGFMT} --check --endianness=${endianness} -o ${mo} ${po}
                       DEPENDS ${po} COMMENT "Compiling the catalogue ${code}" VERBATIM)
    list(APPEND pairs "${code}=${mo}")
    list(APPEND mos ${mo})
  endforeach()
  set(source ${dir}/${function}.cpp)
  add_custom_command(OUTPUT ${source}
                     COMMAND ${CMAKE_COMMAND} -DOUTPUT=${source} -DFUNCTION=${function} "-DCATALOGUES=${pairs}"
                             -P ${PROJECT_SOURCE_DIR}/cmake/embed_catalogues.cmake
                     DEPENDS ${mos} ${PROJECT_SOURCE_DIR}/cmake/embed_catalogues.cmake
                     COMMENT "Embedding the catalogues of ${function}" VERBATIM)
  target_sources(${target} PRIVATE ${source})
endfunction()
