#include "app/preview.h"

#include "app/main2.h"

TPreview::TPreview(TfrmMain* window) : QObject(window), W(window) {
    setObjectName(QStringLiteral("Preview"));
}
