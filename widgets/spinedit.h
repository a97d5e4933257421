// A number field changed only with its arrows (or the Up and Down keys): typed characters are
// ignored. Without limits it takes any number; with them the value is kept inside.
#pragma once

#include <QSpinBox>

class TSpinEdit : public QSpinBox {
    Q_OBJECT

public:
    explicit TSpinEdit(QWidget* parent = nullptr);

    // Keeps the value within min..max (moving it inside when it stands outside).
    void SetLimits(int min, int max);
    // No lower or upper limit.
    void ClearLimits();
    bool HasLimits() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};
