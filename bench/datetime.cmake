dusklock_add_bench(datetime_bench ${CMAKE_CURRENT_SOURCE_DIR}/DateTimeBench.cpp
  LIBS dusklock_schedule)
