# Fails when clang-format-14 would change a tracked C++ file (the style is
# .clang-format's), naming each place; skipped outside a git checkout, which
# has no list of the tracked files.
if(NOT CLANG_FORMAT)
  message(FATAL_ERROR "clang-format-14 is not installed (Debian: apt-get install clang-format-14)")
endif()
execute_process(COMMAND git ls-files -- "*.cpp" "*.h" WORKING_DIRECTORY "${SOURCE}"
                OUTPUT_VARIABLE listed RESULT_VARIABLE failed ERROR_QUIET)
if(failed)
  message(STATUS "Skipped: ${SOURCE} is not a git checkout")
  return()
endif()
string(REPLACE "\n" ";" listed "${listed}")
set(files)
foreach(file IN LISTS listed)
  # A file deleted but not yet committed is still listed.
  if(file AND EXISTS "${SOURCE}/${file}")
    list(APPEND files "${file}")
  endif()
endforeach()
execute_process(COMMAND "${CLANG_FORMAT}" --style=file --dry-run --Werror ${files}
                WORKING_DIRECTORY "${SOURCE}" RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "clang-format-14 would change the lines above; clang-format-14 -i <file> formats a file")
endif()
