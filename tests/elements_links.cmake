# The hyperlink, image, map, area, frameset and frame commands.
quorvane_test(tst_linklogic SOURCES tst_linklogic.cpp LIBS quorvane_core)
quorvane_test(tst_linkdialogs SOURCES tst_linkdialogs.cpp LIBS quorvane_uitestsupport)
