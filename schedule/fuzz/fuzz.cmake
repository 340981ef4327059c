# The libFuzzer target for the text form, built natively with clang++-14 when it is there, and
# a bounded fuzz run registered as a test. The main native build stays with the host g++.
if(DUSKLOCK_WINDOWS)
  return()
endif()
find_program(DUSKLOCK_FUZZ_CXX clang++-14)
find_program(DUSKLOCK_ICONV iconv)
if(NOT DUSKLOCK_FUZZ_CXX OR NOT DUSKLOCK_ICONV)
  message(STATUS "clang++-14 or iconv not found: the text-form fuzz target is not built")
  return()
endif()

set(fuzz_dir ${CMAKE_CURRENT_SOURCE_DIR}/fuzz)
set(fuzz_build ${CMAKE_CURRENT_BINARY_DIR}/fuzz)
set(fuzz_exe ${fuzz_build}/datetime_fuzz)
# clang stores literals only as UTF-8, so the table of interface texts is converted to GBK bytes
# first and found ahead of the source tree's copy on the include path.
set(gbk_texts ${fuzz_build}/gbk/schedule/Texts.h)
add_custom_command(
  OUTPUT ${gbk_texts}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${fuzz_build}/gbk/schedule
  COMMAND ${DUSKLOCK_ICONV} -f UTF-8 -t GBK ${PROJECT_SOURCE_DIR}/schedule/Texts.h -o ${gbk_texts}
  DEPENDS ${PROJECT_SOURCE_DIR}/schedule/Texts.h
  COMMENT "Converting the interface texts to GBK for the fuzz build")
add_custom_command(
  OUTPUT ${fuzz_exe}
  COMMAND ${DUSKLOCK_FUZZ_CXX} -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined
          -fno-sanitize-recover=all -Wno-invalid-source-encoding
          -I${fuzz_build}/gbk -I${PROJECT_SOURCE_DIR}
          ${fuzz_dir}/DateTimeFuzz.cpp ${CMAKE_CURRENT_SOURCE_DIR}/DateTime.cpp -o ${fuzz_exe}
  DEPENDS ${gbk_texts} ${fuzz_dir}/DateTimeFuzz.cpp ${CMAKE_CURRENT_SOURCE_DIR}/DateTime.cpp
          ${CMAKE_CURRENT_SOURCE_DIR}/DateTime.h
  COMMENT "Building the text-form fuzz target with clang++-14")
add_custom_target(datetime_fuzz ALL DEPENDS ${fuzz_exe})

# A bounded run from the committed seeds; what it finds goes to a corpus in the build tree, so
# the seeds in the repository stay as they are.
add_test(NAME datetime_fuzz
  COMMAND ${fuzz_exe} -max_total_time=20 -timeout=10 -print_final_stats=1
          ${fuzz_build}/corpus ${fuzz_dir}/corpus)
set_tests_properties(datetime_fuzz PROPERTIES TIMEOUT 120)
file(MAKE_DIRECTORY ${fuzz_build}/corpus)
