# The release programs' import check, on a probe it must refuse. The check
# reads 32-bit programs, so this runs in the 32-bit tree only.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  add_executable(import_probe import_probe.cpp)
  target_link_libraries(import_probe PRIVATE comctl32)
  add_test(NAME import_check
    COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/import_check.sh
      ${CMAKE_SOURCE_DIR}/scripts/check-imports.sh $<TARGET_FILE:import_probe>)
endif()
