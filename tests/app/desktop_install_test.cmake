# Installs the desktop component into PREFIX and checks what landed there.
cmake_minimum_required(VERSION 3.22)
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --component desktop --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "installing the desktop component failed: ${errors}")
endif()

# A PNG's width and height are the two big-endian words at offset 16.
foreach(icon "256x256;00000100" "32x32;00000020")
  list(GET icon 0 size)
  list(GET icon 1 side)
  set(path ${PREFIX}/share/icons/hicolor/${size}/apps/kelvane.png)
  if(EXISTS ${path})
    file(READ ${path} header HEX OFFSET 16 LIMIT 8)
  endif()
  if(NOT header STREQUAL "${side}${side}")
    message(FATAL_ERROR "${path} is missing or not ${size} pixels")
  endif()
endforeach()

file(STRINGS ${PREFIX}/share/applications/kelvane.desktop lines)
list(GET lines 0 group)
foreach(expected "Type=Application" "Name=Kelvane" "Exec=kelvane %f" "Icon=kelvane" "MimeType=text/x-ldraw-model;")
  if(NOT group STREQUAL "[Desktop Entry]" OR NOT expected IN_LIST lines)
    message(FATAL_ERROR "the desktop entry lacks its group or ${expected}")
  endif()
endforeach()

find_program(UPDATE_MIME_DATABASE update-mime-database)
if(UPDATE_MIME_DATABASE)
  execute_process(COMMAND ${UPDATE_MIME_DATABASE} ${PREFIX}/share/mime RESULT_VARIABLE result
                  OUTPUT_VARIABLE output ERROR_VARIABLE output)
  file(STRINGS ${PREFIX}/share/mime/globs2 globs)
  foreach(expected "50:text/x-ldraw-model:*.ldr" "50:text/x-ldraw-model:*.mpd" "40:text/x-ldraw-model:*.dat")
    if(NOT result EQUAL 0 OR output MATCHES "[Ee]rror|[Ww]arning" OR NOT expected IN_LIST globs)
      message(FATAL_ERROR "update-mime-database rejects the file type or lacks ${expected}: ${output}")
    endif()
  endforeach()
endif()

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate REQUIRED)
execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${PREFIX}/share/applications/kelvane.desktop
                RESULT_VARIABLE result OUTPUT_VARIABLE output
                ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT output STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate rejects the desktop entry: ${output}")
endif()
