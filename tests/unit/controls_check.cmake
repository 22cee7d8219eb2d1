# The check control's arithmetic: geometry, colours and the field's picture,
# built from its own sources so that it does not wait for the window code.
klarvo_test(check_unit_tests
  SOURCES check_layout_test.cpp check_field_test.cpp
          ${CMAKE_SOURCE_DIR}/src/controls/IACheckControlLayout.cpp
          ${CMAKE_SOURCE_DIR}/src/controls/IACheckControlField.cpp)
