# Tests of the estimate copied, printed and saved as PDF.
zanvoro_ui_test(report_tests ${CMAKE_CURRENT_LIST_DIR}/ReportTest.cpp)
