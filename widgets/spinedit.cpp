#include "widgets/spinedit.h"

#include <QLineEdit>

#include <limits>

TSpinEdit::TSpinEdit(QWidget* parent) : QSpinBox(parent) {
    ClearLimits();
    // Typing would let a value in that the arrows never reach; the arrows are the only way.
    lineEdit()->setReadOnly(true);
}

void TSpinEdit::SetLimits(int min, int max) {
    setRange(min, qMax(min, max));
}

void TSpinEdit::ClearLimits() {
    setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
}

bool TSpinEdit::HasLimits() const {
    return minimum() != std::numeric_limits<int>::min() ||
           maximum() != std::numeric_limits<int>::max();
}

// The unlimited range would size the field for ten-digit numbers; a few digits fit real use.
QSize TSpinEdit::sizeHint() const {
    QSize hint = QSpinBox::sizeHint();
    hint.setWidth(
        qMin(hint.width(), fontMetrics().horizontalAdvance(QStringLiteral("-000000")) + 40));
    return hint;
}

QSize TSpinEdit::minimumSizeHint() const {
    QSize hint = QSpinBox::minimumSizeHint();
    hint.setWidth(qMin(hint.width(), sizeHint().width()));
    return hint;
}
