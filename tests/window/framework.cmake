# The framework in real windows, driven by real messages.
klarvo_test(framework_window_tests
  SOURCES framework_core_test.cpp framework_app_test.cpp framework_std_test.cpp framework_graphic_test.cpp framework_canvas_test.cpp
    framework_platform_test.cpp
  LIBS klarvo_framework_loader klarvo_recording)
set_tests_properties(framework_window_tests PROPERTIES RESOURCE_LOCK desktop)

# The pending end cannot be undone within a process: its own program, run
# once for each case so that neither depends on the other's order.
klarvo_test(framework_end_tests
  SOURCES framework_end_test.cpp
  LIBS klarvo_framework_loader
  ARGS --gtest_filter=Run.*)
add_test(NAME framework_pending_end_tests COMMAND framework_end_tests --gtest_filter=PendingEnd.*)
set_tests_properties(framework_end_tests framework_pending_end_tests PROPERTIES RESOURCE_LOCK desktop TIMEOUT 300)

# Pictures from files and from the executable's resources; the open
# dialog's picture preview.
klarvo_test(framework_picture_tests
  SOURCES framework_picture_test.cpp
  LIBS klarvo_framework_loader klarvo_assets)
set_tests_properties(framework_picture_tests PROPERTIES RESOURCE_LOCK desktop)

# Forms built from a description kept as a resource.
klarvo_test(framework_form_tests
  SOURCES framework_form_test.cpp
  LIBS klarvo_framework_loader klarvo_sample_form klarvo_assets)
set_tests_properties(framework_form_tests PROPERTIES RESOURCE_LOCK desktop)

# The open dialog for pictures with its preview (picture-dialog.png).
klarvo_screens(picture_dialog_screens
  SOURCES picture_dialog_screens.cpp
  LIBS klarvo_framework_loader)
target_compile_definitions(picture_dialog_screens PRIVATE
  KLARVO_BACKGROUNDS="${CMAKE_SOURCE_DIR}/src/resources/backgrounds")
