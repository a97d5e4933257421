// The "ОК" / "Отмена" row at the foot of the program's dialogs.
#pragma once

#include <QString>

class QHBoxLayout;
class QPushButton;
class QWidget;

struct TOkCancelRow {
    QHBoxLayout* Layout = nullptr;
    QPushButton* Ok = nullptr;
    QPushButton* Cancel = nullptr;
};

// Right-aligned buttons; "ОК" is the default button and carries the given object name,
// "Отмена" is named btnCancel. The caller adds Layout to its own layout.
TOkCancelRow MakeOkCancelRow(QWidget* dialog, const QString& okName, int sideMargin = 0);
