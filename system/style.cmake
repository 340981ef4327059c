# The control visual-style layer and its tests.
add_library(dusklock_style STATIC
  ${CMAKE_CURRENT_LIST_DIR}/VisualStyle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VisualStyleControl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VisualStyleGradient.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VisualStylePaint.cpp)
target_include_directories(dusklock_style PUBLIC ${PROJECT_SOURCE_DIR})
# msimg32 is deliberately not linked: GradientFill is loaded from the system directory at run
# time. comctl32 (for _TrackMouseEvent) is one of the libraries Windows provides side by side.
target_link_libraries(dusklock_style PUBLIC dusklock_schedule comctl32 user32 gdi32)

dusklock_add_test(visual_style_pixel_test
  ${CMAKE_CURRENT_LIST_DIR}/tests/VisualStylePixelTest.cpp
  LIBS dusklock_style)

dusklock_add_test(visual_style_logic_test
  ${CMAKE_CURRENT_LIST_DIR}/tests/VisualStyleLogicTest.cpp
  LIBS dusklock_style)

dusklock_add_test(visual_style_leak_test
  ${CMAKE_CURRENT_LIST_DIR}/tests/VisualStyleLeakTest.cpp
  LIBS dusklock_style)
dusklock_add_test(visual_style_leak_proof_test
  ${CMAKE_CURRENT_LIST_DIR}/tests/VisualStyleLeakProofTest.cpp
  LIBS dusklock_style)

# Static imports of every program of the build: known DLLs only, msimg32 never.
add_test(NAME visual_style_imports
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/tests/check-imports.sh ${CMAKE_OBJDUMP} ${CMAKE_BINARY_DIR})
