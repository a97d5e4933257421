quorvane_test(tst_colortemplates SOURCES tst_colortemplates.cpp LIBS quorvane_core)
quorvane_test(tst_wizardlogic SOURCES tst_wizardlogic.cpp LIBS quorvane_core)
quorvane_test(tst_stylelogic SOURCES tst_stylelogic.cpp LIBS quorvane_core)
quorvane_test(tst_wizard SOURCES tst_wizard.cpp LIBS quorvane_uitestsupport)
