#include "widgets/dialogbuttons.h"

#include <QHBoxLayout>
#include <QPushButton>

using namespace Qt::StringLiterals;

TOkCancelRow MakeOkCancelRow(QWidget* dialog, const QString& okName, int sideMargin) {
    TOkCancelRow row;
    row.Layout = new QHBoxLayout;
    row.Layout->setContentsMargins(sideMargin, 0, sideMargin, 0);
    row.Layout->addStretch(1);
    row.Ok = new QPushButton(u"ОК"_s, dialog);
    row.Ok->setObjectName(okName);
    row.Ok->setDefault(true);
    row.Cancel = new QPushButton(u"Отмена"_s, dialog);
    row.Cancel->setObjectName(u"btnCancel"_s);
    row.Layout->addWidget(row.Ok);
    row.Layout->addWidget(row.Cancel);
    return row;
}
