# The hyperlink, image, map, area, frameset and frame commands.
target_sources(quorvane_core PRIVATE linklogic.cpp linklogic.h)
target_sources(quorvane_ui PRIVATE anchor.cpp anchor.h image.cpp image.h area.cpp area.h
                                   frame.cpp frame.h)
