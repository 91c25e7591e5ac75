# Lays out beside a Windows program the Qt DLLs and plugins it needs, as Qt's
# windeployqt (not part of Debian's host Qt) lays them out: the libraries and
# MinGW's runtime beside the .exe, each plugin in its own kind's folder.

# MinGW's C++ runtime, which the Qt DLLs link (the programs themselves link it
# statically).
set(KOBALIN_MINGW_RUNTIME)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  get_filename_component(path "${path}" ABSOLUTE)
  if(NOT EXISTS "${path}")
    message(FATAL_ERROR "MinGW's ${dll} not found")
  endif()
  list(APPEND KOBALIN_MINGW_RUNTIME ${path})
endforeach()

# Qt's translations of its own texts, for the languages that both the program
# and Qt have. A .qm file is the same on every platform, so those of the
# host's Debian package (qt6-translations-l10n) serve.
set(KOBALIN_QT_TRANSLATIONS_DIR /usr/share/qt6/translations CACHE PATH "Folder of Qt's qtbase_*.qm files")
set(KOBALIN_QT_TRANSLATIONS)
foreach(language da fr nl)
  set(qm ${KOBALIN_QT_TRANSLATIONS_DIR}/qtbase_${language}.qm)
  if(NOT EXISTS "${qm}")
    message(FATAL_ERROR "${qm} not found: install qt6-translations-l10n")
  endif()
  list(APPEND KOBALIN_QT_TRANSLATIONS ${qm})
endforeach()

# kobalin_deploy_qt(target LIBRARIES Qt6::Core... PLUGINS Qt6::QWindowsIntegrationPlugin...
#                   TRANSLATIONS qtbase_da.qm...)
# Copies after each link of target; sets KOBALIN_DEPLOYED_<target> to the
# deployed files as "folder|file" pairs (folder relative to the .exe's), for
# the installer.
function(kobalin_deploy_qt target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "LIBRARIES;PLUGINS;TRANSLATIONS")
  set(commands)
  set(deployed "|$<TARGET_FILE:${target}>")
  foreach(library IN LISTS arg_LIBRARIES)
    list(APPEND commands COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${library}> $<TARGET_FILE_DIR:${target}>)
    list(APPEND deployed "|$<TARGET_FILE:${library}>")
  endforeach()
  foreach(dll IN LISTS KOBALIN_MINGW_RUNTIME)
    list(APPEND commands COMMAND ${CMAKE_COMMAND} -E copy_if_different ${dll} $<TARGET_FILE_DIR:${target}>)
    list(APPEND deployed "|${dll}")
  endforeach()
  foreach(plugin IN LISTS arg_PLUGINS)
    # The plugin's kind is the name of the folder Qt installed it in.
    get_target_property(location ${plugin} IMPORTED_LOCATION_RELEASE)
    if(NOT location)
      get_target_property(location ${plugin} IMPORTED_LOCATION)
    endif()
    get_filename_component(kind_dir "${location}" DIRECTORY)
    get_filename_component(kind "${kind_dir}" NAME)
    list(APPEND commands
      COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:${target}>/${kind}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${plugin}> $<TARGET_FILE_DIR:${target}>/${kind})
    list(APPEND deployed "${kind}|$<TARGET_FILE:${plugin}>")
  endforeach()
  # In translations/, where windeployqt puts them and the program looks.
  foreach(qm IN LISTS arg_TRANSLATIONS)
    list(APPEND commands
      COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:${target}>/translations
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${qm} $<TARGET_FILE_DIR:${target}>/translations)
    list(APPEND deployed "translations|${qm}")
  endforeach()
  add_custom_command(TARGET ${target} POST_BUILD ${commands} VERBATIM)
  set(KOBALIN_DEPLOYED_${target} "${deployed}" PARENT_SCOPE)
endfunction()
