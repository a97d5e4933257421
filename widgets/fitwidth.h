// Widths that keep a text whole: a combo box as wide as a text needs, and a window as wide as
// its title bar needs to show its caption uncut.
#pragma once

#include <QString>

class QComboBox;
class QWidget;

// The width at which the combo box shows the text without cutting it.
int ComboWidthForText(const QComboBox* combo, const QString& text);
// Makes the combo box at least that wide.
void FitComboToText(QComboBox* combo, const QString& text);

// The caption as the window system shows it: the application's name is added after a dash
// unless the caption already ends with it.
QString FullWindowTitle(const QString& title);
// The width a window needs for its title bar to show the full caption: the text in a bold title
// font plus room for the window icon, the close box and the margins, at most the screen's width.
int TitleBarWidth(const QWidget* window, const QString& title);
