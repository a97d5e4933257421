quorvane_test(tst_toolfunc SOURCES tst_toolfunc.cpp LIBS quorvane_core)
quorvane_test(tst_textfile SOURCES tst_textfile.cpp LIBS quorvane_core)
