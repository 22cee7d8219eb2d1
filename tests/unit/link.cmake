klarvo_test(link_tests
  SOURCES link_send_test.cpp link_notifications_test.cpp
  LIBS klarvo_link)
klarvo_test(system_settings_tests
  SOURCES system_registry_test.cpp system_ini_test.cpp
  LIBS klarvo_settings)
# Not a test: prints the figures of the link and the system settings.
add_executable(link_benchmark link_benchmark.cpp)
target_link_libraries(link_benchmark PRIVATE klarvo_link klarvo_test_support)
klarvo_strict(link_benchmark)
