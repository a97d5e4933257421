#include "markup/elements.h"

#include "app/main2.h"

TElementDialogs::TElementDialogs(TfrmMain* window) : QObject(window), W(window) {
    setObjectName(QStringLiteral("ElementDialogs"));
    W->Bind(W->acAnchor, [this] { acAnchorExecute(); });
    W->Bind(W->acImage, [this] { acImageExecute(); });
    W->Bind(W->acMap, [this] { acMapExecute(); });
    W->Bind(W->acArea, [this] { acAreaExecute(); });
    W->Bind(W->acFrameset, [this] { acFramesetExecute(); });
    W->Bind(W->acFrame, [this] { acFrameExecute(); });
    W->Bind(W->acTable, [this] { acTableExecute(); });
    W->Bind(W->acTd, [this] { acTdExecute(); });
    W->Bind(W->acUl, [this] { acUlExecute(); });
    W->Bind(W->acForm, [this] { acFormExecute(); });
    W->Bind(W->acSelect, [this] { acSelectExecute(); });
    W->Bind(W->acFont, [this] { acFontExecute(); });
    W->Bind(W->acShockWaveFlash, [this] { acShockWaveFlashExecute(); });
    W->Bind(W->acParam, [this] { acParamExecute(); });
}

QStringList TElementDialogs::ScanClasses() {
    if (!W->HpParser)
        return {};
    W->HpParser->ParseHead();
    return W->HpParser->CssClasses();
}

QString TElementDialogs::PageFile() const {
    const int i = W->CurrentIndex();
    const QStringList names = W->FileNames();
    return i >= 0 && i < names.size() ? names.at(i) : QString();
}

// Filled in with their dialogs.
void TElementDialogs::acAnchorExecute() {}
void TElementDialogs::acImageExecute() {}
void TElementDialogs::acMapExecute() {}
void TElementDialogs::acAreaExecute() {}
void TElementDialogs::acFramesetExecute() {}
void TElementDialogs::acFrameExecute() {}
void TElementDialogs::CreateLinkToFile(const QString&) {}
