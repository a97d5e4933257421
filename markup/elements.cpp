#include "markup/elements.h"

#include "app/RichEditEx.h"
#include "app/main2.h"
#include "markup/anchor.h"
#include "markup/area.h"
#include "markup/frame.h"
#include "markup/image.h"
#include "markup/linklogic.h"

using namespace Qt::StringLiterals;

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

TElementContext TElementDialogs::Launch() {
    TElementContext context;
    context.Classes = ScanClasses();
    context.PageFile = PageFile();
    context.Selection = W->reSource->SelText();
    context.Insert = [this](const TInsertion& ins) {
        W->InsertText(ins.Text, ins.K, ins.LineBreak);
    };
    return context;
}

void TElementDialogs::ShowAnchor(int mode, const QString& linkedFile) {
    TfrmAnchor dialog(Launch(), mode, linkedFile, W);
    Platform().ExecDialog(&dialog);
}

void TElementDialogs::acAnchorExecute() {
    ShowAnchor(0, {});
}

void TElementDialogs::CreateLinkToFile(const QString& path) {
    W->PendingPath = path;
    ShowAnchor(1, W->PendingPath);
    W->PendingPath.clear();
}

void TElementDialogs::acImageExecute() {
    TfrmImage dialog(Launch(), W);
    Platform().ExecDialog(&dialog);
}

void TElementDialogs::acMapExecute() {
    const QString caption = u"Карта"_s;
    const auto name = Platform().InputBox(W, caption, u"Введите имя карты:"_s, caption + u'1');
    if (!name)
        return;
    const TInsertion ins = MapInsertion(*name);
    W->InsertText(ins.Text, ins.K, ins.LineBreak);
}

void TElementDialogs::acAreaExecute() {
    TfrmArea dialog(Launch(), W);
    Platform().ExecDialog(&dialog);
}

void TElementDialogs::acFramesetExecute() {
    const TInsertion ins = FramesetInsertion(AskYesNo(W, u"Разбить на столбцы?"_s) == TAnswer::Yes);
    W->InsertText(ins.Text, ins.K, ins.LineBreak);
}

void TElementDialogs::acFrameExecute() {
    TfrmFrame dialog(Launch(), W);
    Platform().ExecDialog(&dialog);
}
