quorvane_test(tst_htmltag SOURCES tst_htmltag.cpp LIBS quorvane_core)
