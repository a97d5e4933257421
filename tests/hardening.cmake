# Hostile and huge input, full disk, crash safety.
quorvane_test(tst_hostile SOURCES tst_hostile.cpp LIBS quorvane_uitestsupport)
quorvane_test(tst_writefailures SOURCES tst_writefailures.cpp LIBS quorvane_uitestsupport)
quorvane_test(tst_crashsave SOURCES tst_crashsave.cpp LIBS quorvane_core)
