# Tests of windows fitted on screens, pictures at any pixel ratio and Qt in the user's language.
zanvoro_ui_test(desktop_tests ${CMAKE_CURRENT_LIST_DIR}/DesktopTest.cpp)
