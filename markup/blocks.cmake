# The table, cell, list, form, select, font and Flash dialogs and their markup.
target_sources(quorvane_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/blocklogic.cpp
                                     ${CMAKE_CURRENT_LIST_DIR}/blocklogic.h)
target_sources(quorvane_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/blockdialog.cpp ${CMAKE_CURRENT_LIST_DIR}/blockdialog.h
  ${CMAKE_CURRENT_LIST_DIR}/table.cpp ${CMAKE_CURRENT_LIST_DIR}/table.h
  ${CMAKE_CURRENT_LIST_DIR}/td.cpp ${CMAKE_CURRENT_LIST_DIR}/td.h
  ${CMAKE_CURRENT_LIST_DIR}/lists.cpp ${CMAKE_CURRENT_LIST_DIR}/lists.h
  ${CMAKE_CURRENT_LIST_DIR}/form.cpp ${CMAKE_CURRENT_LIST_DIR}/form.h
  ${CMAKE_CURRENT_LIST_DIR}/select.cpp ${CMAKE_CURRENT_LIST_DIR}/select.h
  ${CMAKE_CURRENT_LIST_DIR}/font.cpp ${CMAKE_CURRENT_LIST_DIR}/font.h
  ${CMAKE_CURRENT_LIST_DIR}/flash.cpp ${CMAKE_CURRENT_LIST_DIR}/flash.h)
