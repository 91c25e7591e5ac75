# The Windows program laid out with its Qt, and its per-user setup.
include(${CMAKE_CURRENT_LIST_DIR}/windeploy.cmake)

set(KOBALIN_QT_LIBRARIES Qt6::Core Qt6::Gui Qt6::Widgets)
kobalin_deploy_qt(kobalin
  LIBRARIES ${KOBALIN_QT_LIBRARIES}
  PLUGINS Qt6::QWindowsIntegrationPlugin Qt6::QWindowsVistaStylePlugin
  TRANSLATIONS ${KOBALIN_QT_TRANSLATIONS})

# What the setup installs and its uninstaller removes, file by file.
set(install_lines "!macro KOBALIN_INSTALL_FILES\n")
set(uninstall_lines "!macro KOBALIN_UNINSTALL_FILES\n")
set(folders)
foreach(pair IN LISTS KOBALIN_DEPLOYED_kobalin)
  string(REPLACE "|" ";" parts "${pair}")
  list(GET parts 0 folder)
  list(GET parts 1 file)
  set(to "$INSTDIR")
  if(folder)
    set(to "$INSTDIR\\${folder}")
    list(APPEND folders "${to}")
  endif()
  string(APPEND install_lines "    SetOutPath \"${to}\"\n    File \"${file}\"\n")
  string(APPEND uninstall_lines "    Delete \"${to}\\$<PATH:GET_FILENAME,${file}>\"\n")
endforeach()
list(REMOVE_DUPLICATES folders)
foreach(folder IN LISTS folders)
  string(APPEND uninstall_lines "    RMDir \"${folder}\"\n")
endforeach()
string(APPEND install_lines "    SetOutPath \"$INSTDIR\"\n!macroend\n")
string(APPEND uninstall_lines "!macroend\n")
set(KOBALIN_SETUP_FILES ${CMAKE_BINARY_DIR}/setup-files.nsh)
file(GENERATE OUTPUT ${KOBALIN_SETUP_FILES} CONTENT "${install_lines}${uninstall_lines}")

find_program(KOBALIN_MAKENSIS makensis)
if(KOBALIN_MAKENSIS)
  set(setup ${CMAKE_BINARY_DIR}/kobalin-${PROJECT_VERSION}-setup.exe)
  add_custom_command(OUTPUT ${setup}
    COMMAND ${KOBALIN_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DOUTFILE=${setup}
            -DICON=${PROJECT_SOURCE_DIR}/resources/windows/kobalin.ico -DFILES=${KOBALIN_SETUP_FILES}
            ${PROJECT_SOURCE_DIR}/resources/windows/setup.nsi
    DEPENDS kobalin ${PROJECT_SOURCE_DIR}/resources/windows/setup.nsi ${KOBALIN_SETUP_FILES}
    COMMENT "The setup: kobalin-${PROJECT_VERSION}-setup.exe"
    VERBATIM)
  add_custom_target(setup DEPENDS ${setup})
endif()
