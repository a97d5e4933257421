quorvane_test(tst_inifile SOURCES tst_inifile.cpp LIBS quorvane_core)
quorvane_test(tst_settings SOURCES tst_settings.cpp LIBS quorvane_core)
quorvane_test(tst_jpegimage SOURCES tst_jpegimage.cpp LIBS quorvane_core)
