# The main window's behaviour and the date-entry window.
add_library(dusklock_ui STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/MainWindow.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/DateEntryWindow.cpp)
target_link_libraries(dusklock_ui PUBLIC dusklock_frame dusklock_system dusklock_style
  dusklock_schedule)

dusklock_add_test(main_window_test
  ${CMAKE_CURRENT_SOURCE_DIR}/tests/MainWindowTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/tests/BehaviourTestSupport.cpp
  ${PROJECT_SOURCE_DIR}/app/tests/FrameTestSupport.cpp
  LIBS dusklock_ui)

dusklock_add_test(date_entry_window_test
  ${CMAKE_CURRENT_SOURCE_DIR}/tests/DateEntryWindowTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/tests/BehaviourTestSupport.cpp
  ${PROJECT_SOURCE_DIR}/app/tests/FrameTestSupport.cpp
  LIBS dusklock_ui)
