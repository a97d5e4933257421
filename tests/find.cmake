# Find and replace: the matching rules and project files, and the search page of the window.
quorvane_test(tst_findlogic SOURCES tst_findlogic.cpp LIBS quorvane_core)
quorvane_test(tst_findreplace SOURCES tst_findreplace.cpp LIBS quorvane_uitestsupport)
