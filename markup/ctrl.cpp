#include "markup/ctrl.h"
#include "widgets/dialogbuttons.h"

#include "app/platform.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
constexpr int MaxFieldLength = 100;
}

TfrmCtrl::TfrmCtrl(TCtrlMode mode, const QString& exchange, QWidget* parent)
    : QDialog(parent), FMode(mode), FSetup(CtrlSetup(mode, exchange)), FExchange(exchange) {
    setObjectName(u"frmCtrl"_s);
    // A title bar without a close box: the dialog ends through its two buttons (or Escape).
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(FSetup.Caption);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 8);
    lblBanner = new QLabel(u"Элемент и\nассоциированное с ним значение"_s, this);
    lblBanner->setObjectName(u"lblBanner"_s);
    lblBanner->setContentsMargins(12, 8, 12, 8);
    lblBanner->setAutoFillBackground(true);
    lblBanner->setStyleSheet(u"QLabel { background: white; font-weight: bold; }"_s);
    root->addWidget(lblBanner);

    auto* form = new QFormLayout;
    form->setContentsMargins(12, 4, 12, 4);
    edName = new QLineEdit(this);
    edName->setObjectName(u"edName"_s);
    edName->setMaxLength(MaxFieldLength);
    edName->setText(FSetup.NamePreset);
    edValue = new QLineEdit(this);
    edValue->setObjectName(u"edValue"_s);
    edValue->setMaxLength(MaxFieldLength);
    edValue->setText(FSetup.ValuePreset);
    lblName = new QLabel(FSetup.NameLabel, this);
    lblName->setObjectName(u"lblName"_s);
    lblName->setBuddy(edName);
    lblValue = new QLabel(u"Значение:"_s, this);
    lblValue->setObjectName(u"lblValue"_s);
    lblValue->setBuddy(edValue);
    for (QLabel* label : {lblBanner, lblName, lblValue})
        label->setTextFormat(Qt::PlainText);
    form->addRow(lblName, edName);
    form->addRow(lblValue, edValue);
    root->addLayout(form);

    const TOkCancelRow buttons = MakeOkCancelRow(this, u"btnOk"_s, 12);
    btnOk = buttons.Ok;
    btnCancel = buttons.Cancel;
    root->addLayout(buttons.Layout);

    connect(btnOk, &QPushButton::clicked, this, &TfrmCtrl::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmCtrl::btnCancelClick);
    edName->setFocus();
    edName->selectAll();
    setMinimumWidth(340);
}

void TfrmCtrl::btnOkClick() {
    const QString name = edName->text().trimmed();
    if (name.isEmpty()) {
        ShowInfo(this, FSetup.EmptyNameMessage);
        edName->setFocus();
        return;
    }
    FResultName = name;
    FResultValue = edValue->text();
    FExchange = CtrlExchangeText(FResultName, FResultValue);
    FConfirmed = true;
    accept();
}

void TfrmCtrl::btnCancelClick() {
    reject();
}

void TfrmCtrl::reject() {
    FExchange.clear();
    FResultName.clear();
    FResultValue.clear();
    FConfirmed = false;
    QDialog::reject();
}

bool TfrmCtrl::Execute(QWidget* parent, TCtrlMode mode, const QString& elementType, QString* name,
                       QString* value) {
    TfrmCtrl dlg(mode, elementType, parent);
    // Only a confirmation through "ОК" counts; a dialog closed any other way inserts nothing.
    if (Platform().ExecDialog(&dlg) != QDialog::Accepted || !dlg.Confirmed())
        return false;
    if (name)
        *name = dlg.ResultName();
    if (value)
        *value = dlg.ResultValue();
    return true;
}
