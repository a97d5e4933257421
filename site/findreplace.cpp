#include "site/findreplace.h"

#include "app/main2.h"

TFindReplace::TFindReplace(TfrmMain* window) : QObject(window), W(window) {
    setObjectName(QStringLiteral("FindReplace"));
}
