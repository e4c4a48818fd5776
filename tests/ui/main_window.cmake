# Tests of the main window and the About dialog.
zanvoro_ui_test(unit1_tests ${CMAKE_CURRENT_LIST_DIR}/Unit1Test.cpp)
