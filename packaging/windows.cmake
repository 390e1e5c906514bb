# The Windows game (CPack: a ZIP of the game's folder, and an NSIS installer
# where makensis is found): kalvitor.exe with the game's data beside it, as
# the game always was, the statistics window's module kalvitor-stats.dll
# beside it too (the game looks there first, src/qt/app_folders.cpp), the Qt
# libraries of both laid out by windeployqt (Qt Charts for the module), and the
# sound libraries, which the game opens only when a sound is wanted, with
# the libraries they need. Made on Windows in MSYS2 UCRT64 (docs/windows.md);
# it cannot be made on Linux, which has no Qt for Windows.
install(TARGETS kalvitor RUNTIME DESTINATION .)
install(TARGETS kalvitor_stats LIBRARY DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/music/ DESTINATION Music FILES_MATCHING PATTERN "*.mid")
install(FILES ${KALVITOR_DATA_TEXTS} DESTINATION .)
install(DIRECTORY DESTINATION Save)

# The music needs a General MIDI soundfont beside the program (the Linux
# package takes Debian's fluid-soundfont-gm); without one the game plays its
# effects and no music.
set(KALVITOR_SOUNDFONT "" CACHE FILEPATH "A General MIDI soundfont (.sf2), installed as FluidR3_GM.sf2")
if(KALVITOR_SOUNDFONT)
  install(FILES ${KALVITOR_SOUNDFONT} DESTINATION . RENAME FluidR3_GM.sf2)
endif()

find_program(KALVITOR_WINDEPLOYQT NAMES windeployqt6 windeployqt-qt6 windeployqt
             HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS} REQUIRED)
# The sound libraries by the names the game opens (src/desktop_media/shared_library.cpp).
get_filename_component(KALVITOR_TOOLS_BIN ${CMAKE_CXX_COMPILER} DIRECTORY)
foreach(library SDL2 SDL2_mixer libfluidsynth-3)
  find_file(KALVITOR_DLL_${library} ${library}.dll HINTS ${KALVITOR_TOOLS_BIN} REQUIRED)
  list(APPEND KALVITOR_SOUND_DLLS ${KALVITOR_DLL_${library}})
endforeach()
install(CODE "
  execute_process(COMMAND \"${KALVITOR_WINDEPLOYQT}\" --release --translations ru --no-system-d3d-compiler
                          --no-opengl-sw --dir \"\${CMAKE_INSTALL_PREFIX}\" \"\${CMAKE_INSTALL_PREFIX}/kalvitor.exe\"
                          \"\${CMAKE_INSTALL_PREFIX}/$<TARGET_FILE_NAME:kalvitor_stats>\"
                  COMMAND_ERROR_IS_FATAL ANY)
  file(GET_RUNTIME_DEPENDENCIES LIBRARIES ${KALVITOR_SOUND_DLLS}
       RESOLVED_DEPENDENCIES_VAR needed UNRESOLVED_DEPENDENCIES_VAR missing
       DIRECTORIES \"${KALVITOR_TOOLS_BIN}\"
       PRE_EXCLUDE_REGEXES \"^api-ms-\" \"^ext-ms-\"
       POST_EXCLUDE_REGEXES \"[Ss]ystem32\" \"[Ww]indows\")
  file(INSTALL ${KALVITOR_SOUND_DLLS} \${needed} DESTINATION \"\${CMAKE_INSTALL_PREFIX}\")
")

set(CPACK_PACKAGE_NAME Kalvitor)
set(CPACK_PACKAGE_VENDOR Brindlex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Brindlex Kalvitor: the life of a computer user (in Russian)")
set(CPACK_PACKAGE_FILE_NAME kalvitor-${PROJECT_VERSION}-windows-x64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Brindlex Kalvitor ${PROJECT_VERSION}")
set(CPACK_PACKAGE_EXECUTABLES kalvitor "Brindlex Kalvitor ${PROJECT_VERSION}")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR ZIP)
find_program(KALVITOR_MAKENSIS makensis)
if(KALVITOR_MAKENSIS)
  list(APPEND CPACK_GENERATOR NSIS)
  set(CPACK_NSIS_DISPLAY_NAME "Brindlex Kalvitor ${PROJECT_VERSION}")
  set(CPACK_NSIS_PACKAGE_NAME "Brindlex Kalvitor ${PROJECT_VERSION}")
  set(CPACK_NSIS_INSTALLED_ICON_NAME kalvitor.exe)
  set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
  set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
  # Uninstalling keeps the player's games (%APPDATA%) and the switches in the registry.
endif()
include(CPack)
