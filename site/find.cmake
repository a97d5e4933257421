# Find and replace: the matching rules and project files (core), the search page (window).
target_sources(quorvane_core PRIVATE findlogic.cpp findlogic.h)
