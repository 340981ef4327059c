# System actions: the forced power-off, the confirmation prompt and the clipboard.
add_library(dusklock_system STATIC
  ${CMAKE_CURRENT_LIST_DIR}/SystemPower.cpp)
target_link_libraries(dusklock_system PUBLIC dusklock_schedule advapi32 user32 kernel32)

dusklock_add_test(system_power_test ${CMAKE_CURRENT_LIST_DIR}/SystemPowerTest.cpp
  LIBS dusklock_system)
