# The real Dusklock.exe driven from outside by a user-input driver, in a throwaway Wine prefix.
add_executable(user_driver ${CMAKE_CURRENT_LIST_DIR}/UserDriver.cpp)
target_link_libraries(user_driver PRIVATE dusklock_schedule user32)

add_test(NAME end_to_end
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/end-to-end.sh $<TARGET_FILE:Dusklock>
          $<TARGET_FILE:user_driver>)
set_tests_properties(end_to_end PROPERTIES TIMEOUT 300)
