quorvane_test(tst_inputfilter SOURCES tst_inputfilter.cpp LIBS quorvane_ui)
