klarvo_test(link_tests
  SOURCES link_send_test.cpp link_notifications_test.cpp
  LIBS klarvo_link)
klarvo_test(system_settings_tests
  SOURCES system_registry_test.cpp system_ini_test.cpp
  LIBS klarvo_settings)
