# A game and its journal saved by the Linux driver load in the Windows one
# and the reverse, and both write the same bytes: each plays the same script
# into a folder of its own (Russian words and a space in its path, the
# player and the saved game named in Russian), then loads the other's files
# and saves them again. Run under Wine by the Windows build's tests:
#   -DLINUX_DRIVER=<kalvitor-headless> -DWINDOWS_DRIVER=<kalvitor-headless.exe>
#   -DLAUNCHER=<wine wrapper> -DWORK=<folder>
file(REMOVE_RECURSE ${WORK})
set(play "player 1 Вася\nstart\ncall SetMoney 777\ncall SetJob 3\ntick 200\nfile Вася\nmenu \"Файл/Сохранить игру...\"\n")
set(load "player-load\nfile Вася.ksv\nstart\ndump state\ndump journal\nfile Обратно\nmenu \"Файл/Сохранить игру...\"\n")
file(WRITE ${WORK}/play.txt "${play}")
file(WRITE ${WORK}/load.txt "${load}")

# Runs one driver in ${WORK}/Мои игры/<folder>; its output without the folder.
function(run system folder script out)
  set(dir "${WORK}/Мои игры/${folder}")
  file(MAKE_DIRECTORY "${dir}")
  if(system STREQUAL "windows")
    string(REPLACE "/" "\\" dir_arg "Z:${dir}")
    string(REPLACE "/" "\\" script_arg "Z:${WORK}/${script}")
    set(command ${LAUNCHER} ${WINDOWS_DRIVER})
  else()
    set(dir_arg "${dir}")
    set(script_arg "${WORK}/${script}")
    set(command ${LINUX_DRIVER})
  endif()
  execute_process(COMMAND ${command} --dir "${dir_arg}" --now "06.12.2026 21:47:00" --seed 5 "${script_arg}"
                  OUTPUT_VARIABLE output RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${system} driver in ${folder}: exit ${status}\n${output}")
  endif()
  set(${out} "${output}" PARENT_SCOPE)
endfunction()

function(same a b)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK}/Мои игры/${a}" "${WORK}/Мои игры/${b}"
                  RESULT_VARIABLE differ)
  if(NOT differ EQUAL 0)
    message(FATAL_ERROR "${a} and ${b} differ (or one is missing)")
  endif()
endfunction()

run(linux "Linux" play.txt linux_play)
run(windows "Windows" play.txt windows_play)
if(NOT linux_play STREQUAL windows_play)
  message(FATAL_ERROR "the two drivers played differently:\n${linux_play}\n---\n${windows_play}")
endif()
same("Linux/Save/Вася.ksv" "Windows/Save/Вася.ksv")
same("Linux/Save/Вася.kjl" "Windows/Save/Вася.kjl")

# Each loads the other's game and journal and saves them again.
file(COPY "${WORK}/Мои игры/Windows/Save" DESTINATION "${WORK}/Мои игры/Linux from Windows")
file(COPY "${WORK}/Мои игры/Linux/Save" DESTINATION "${WORK}/Мои игры/Windows from Linux")
run(linux "Linux from Windows" load.txt linux_load)
run(windows "Windows from Linux" load.txt windows_load)
if(NOT linux_load MATCHES "GAME \"Загрузка игры: Вася.ksv\"" OR linux_load MATCHES "MSGBOX critical")
  message(FATAL_ERROR "the Linux driver did not load the Windows game:\n${linux_load}")
endif()
if(NOT linux_load STREQUAL windows_load)
  message(FATAL_ERROR "the loaded games differ:\n${linux_load}\n---\n${windows_load}")
endif()
same("Linux from Windows/Save/Обратно.ksv" "Windows from Linux/Save/Обратно.ksv")
same("Linux from Windows/Save/Обратно.kjl" "Windows from Linux/Save/Обратно.kjl")
message(STATUS "saved games and journals: the same bytes from both drivers, each loads the other's")
