#include "markup/pagedesign.h"

#include "app/main2.h"

TPageDesign::TPageDesign(TfrmMain* window) : QObject(window), W(window) {
    setObjectName(QStringLiteral("PageDesign"));
}
