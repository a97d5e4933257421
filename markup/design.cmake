# The new-document wizard with its colour templates, the style block and the CSS class editor.
target_sources(quorvane_core PRIVATE ColorTemplates.cpp ColorTemplates.h wizardlogic.cpp
                                     wizardlogic.h stylelogic.cpp stylelogic.h)
target_sources(quorvane_ui PRIVATE wizard.cpp wizard.h cssclass.cpp cssclass.h)
