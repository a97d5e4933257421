// A button that shows its colour and drops down a palette: a grid of common web colours and
// "Другой цвет…", which asks the platform's colour picker. It yields a colour value (red in the
// low byte) and reports every colour the user picks.
#pragma once

#include "site/toolfunc.h"

#include <QList>
#include <QToolButton>

class QMenu;

class TColorButton : public QToolButton {
    Q_OBJECT

public:
    explicit TColorButton(QWidget* parent = nullptr);

    TColor Color() const { return FColor; }
    // Sets the colour without reporting it (presets, loading).
    void setColor(TColor color);

    // The colours of the palette grid, row by row.
    static const QList<TColor>& PaletteColors();
    // The drop-down: swatch buttons named "swatch<index>" and the action "actOtherColor".
    QMenu* Palette() const { return FMenu; }
    // "Другой цвет…": the platform's colour picker, starting from the current colour.
    void PickOtherColor();

signals:
    // The user picked a colour (even the one already shown).
    void OnChange(TColor color);

private:
    void Pick(TColor color);
    void UpdateIcon();

    TColor FColor = 0;
    QMenu* FMenu = nullptr;
};

QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);
