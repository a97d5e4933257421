quorvane_test(tst_htmltag SOURCES tst_htmltag.cpp LIBS quorvane_core)
quorvane_test(tst_htmlparser SOURCES tst_htmlparser.cpp LIBS quorvane_core)
quorvane_test(tst_scanchunks SOURCES tst_scanchunks.cpp LIBS quorvane_ui)
