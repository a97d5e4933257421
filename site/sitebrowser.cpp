#include "site/sitebrowser.h"

#include "app/main2.h"

TSiteBrowser::TSiteBrowser(TfrmMain* window) : QObject(window), W(window) {
    setObjectName(QStringLiteral("SiteBrowser"));
}
