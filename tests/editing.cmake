# Editing aids: the typed word, the line-break keys, the macro, completion and the tag editor.
quorvane_test(tst_completion SOURCES tst_completion.cpp LIBS quorvane_core)
quorvane_test(tst_editingaids SOURCES tst_editingaids.cpp LIBS quorvane_uitestsupport)
quorvane_test(tst_edittag SOURCES tst_edittag.cpp LIBS quorvane_uitestsupport)
