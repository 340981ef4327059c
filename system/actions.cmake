# System actions: the forced power-off, the confirmation prompt and the clipboard.
add_library(dusklock_system STATIC
  ${CMAKE_CURRENT_LIST_DIR}/SystemPower.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MessagePrompt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Clipboard.cpp)
target_link_libraries(dusklock_system PUBLIC dusklock_schedule advapi32 user32 kernel32)

dusklock_add_test(system_power_test ${CMAKE_CURRENT_LIST_DIR}/SystemPowerTest.cpp
  LIBS dusklock_system)

# The real forced power-off, in a throwaway Wine prefix of its own.
add_executable(power_off_probe ${CMAKE_CURRENT_LIST_DIR}/PowerOffProbe.cpp)
target_link_libraries(power_off_probe PRIVATE dusklock_system)
add_test(NAME power_off_under_wine
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/PowerOffUnderWine.sh ${PROJECT_SOURCE_DIR}
          $<TARGET_FILE:power_off_probe>)
set_tests_properties(power_off_under_wine PROPERTIES TIMEOUT 600)

dusklock_add_test(message_prompt_test ${CMAKE_CURRENT_LIST_DIR}/MessagePromptTest.cpp
  LIBS dusklock_system)

dusklock_add_test(clipboard_test ${CMAKE_CURRENT_LIST_DIR}/ClipboardTest.cpp
  LIBS dusklock_system)
