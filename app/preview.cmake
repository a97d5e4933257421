# The preview, printing and help (preview.cpp is listed in CMakeLists.txt); their QtCore part.
target_sources(quorvane_core PRIVATE previewlogic.cpp previewlogic.h)
