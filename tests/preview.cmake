quorvane_test(tst_previewlogic SOURCES tst_previewlogic.cpp LIBS quorvane_core)
quorvane_test(tst_preview SOURCES tst_preview.cpp LIBS quorvane_uitestsupport Qt6::WebEngineWidgets)
target_compile_definitions(tst_preview PRIVATE
  QUORVANE_HELP_DIR="${PROJECT_SOURCE_DIR}/resources/help")
