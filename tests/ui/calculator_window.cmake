# Tests of the calculator window.
zanvoro_ui_test(unit3_tests ${CMAKE_CURRENT_LIST_DIR}/Unit3Test.cpp)
