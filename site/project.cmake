target_sources(quorvane_core PRIVATE dirfiletype.h DirectoryScanner.cpp DirectoryScanner.h)
