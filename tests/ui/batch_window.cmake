# Tests of the batch window.
zanvoro_ui_test(unit4_tests ${CMAKE_CURRENT_LIST_DIR}/Unit4Test.cpp)
