#include "markup/elements.h"

#include "app/RichEditEx.h"
#include "app/main2.h"
#include "app/platform.h"
#include "markup/blocklogic.h"
#include "markup/ctrl.h"
#include "markup/flash.h"
#include "markup/font.h"
#include "markup/form.h"
#include "markup/lists.h"
#include "markup/select.h"
#include "markup/table.h"
#include "markup/td.h"

#include <QFontDatabase>

using namespace Qt::StringLiterals;

namespace {
// Shows the dialog and inserts what it composed on "ОК".
void RunBlockDialog(TfrmMain* window, TBlockDialog& dialog) {
    if (Platform().ExecDialog(&dialog) != QDialog::Accepted || !dialog.Result)
        return;
    const TInsertion& ins = *dialog.Result;
    window->InsertText(ins.Text, ins.K, ins.LineBreak);
}
} // namespace

void TElementDialogs::acTableExecute() {
    const QStringList classes = ScanClasses();
    TfrmTable dialog(classes, PageFile(), W);
    RunBlockDialog(W, dialog);
}

void TElementDialogs::acTdExecute() {
    const QStringList classes = ScanClasses();
    TfrmTd dialog(classes, W->reSource->SelText(), W);
    RunBlockDialog(W, dialog);
}

void TElementDialogs::acUlExecute() {
    const QStringList classes = ScanClasses();
    TfrmList dialog(classes, W);
    RunBlockDialog(W, dialog);
}

void TElementDialogs::acFormExecute() {
    const QStringList classes = ScanClasses();
    TfrmForm dialog(classes, W->reSource->SelText(), W);
    RunBlockDialog(W, dialog);
}

void TElementDialogs::acSelectExecute() {
    const QStringList classes = ScanClasses();
    TfrmSelect dialog(classes, W);
    RunBlockDialog(W, dialog);
}

void TElementDialogs::acFontExecute() {
    const QStringList classes = ScanClasses();
    TfrmFont dialog(classes, QFontDatabase::families(), W->reSource->SelText(), W);
    RunBlockDialog(W, dialog);
}

void TElementDialogs::acShockWaveFlashExecute() {
    TfrmFlash dialog(PageFile(), W);
    RunBlockDialog(W, dialog);
}

void TElementDialogs::acParamExecute() {
    QString name, value;
    if (!TfrmCtrl::Execute(W, TCtrlMode::Element, u"param"_s, &name, &value))
        return;
    const TInsertion ins = ParamInsertion(name, value);
    W->InsertText(ins.Text, ins.K, ins.LineBreak);
}
