quorvane_test(tst_dirscanner SOURCES tst_dirscanner.cpp LIBS quorvane_core)
