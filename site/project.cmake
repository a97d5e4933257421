target_sources(quorvane_core PRIVATE dirfiletype.h DirectoryScanner.cpp DirectoryScanner.h
  WebSite.cpp WebSite.h sitelogic.cpp sitelogic.h)
target_sources(quorvane_ui PRIVATE newsite.cpp newsite.h sitemgr.cpp sitemgr.h
  selectfile.cpp selectfile.h)
