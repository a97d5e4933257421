#include "widgets/fitwidth.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionComboBox>

using namespace Qt::StringLiterals;

int ComboWidthForText(const QComboBox* combo, const QString& text) {
    QStyleOptionComboBox opt;
    opt.initFrom(combo);
    opt.editable = combo->isEditable();
    opt.frame = combo->hasFrame();
    opt.currentText = text;
    const QFontMetrics fm = combo->fontMetrics();
    // A pixel more than the advance: antialiased glyphs may reach past it.
    const QSize contents(fm.horizontalAdvance(text) + 1, fm.height());
    return combo->style()->sizeFromContents(QStyle::CT_ComboBox, &opt, contents, combo).width();
}

void FitComboToText(QComboBox* combo, const QString& text) {
    combo->setMinimumWidth(qMax(combo->minimumWidth(), ComboWidthForText(combo, text)));
}

QString FullWindowTitle(const QString& title) {
    const QString app = QGuiApplication::applicationDisplayName();
    if (app.isEmpty() || title.endsWith(app))
        return title.isEmpty() ? app : title;
    return title.isEmpty() ? app : title + u" — "_s + app;
}

int TitleBarWidth(const QWidget* window, const QString& title) {
    // Window managers draw the caption in their own font, commonly the bold application font.
    QFont font = QApplication::font();
    font.setBold(true);
    const QFontMetrics fm(font);
    // The window icon, the close box and the margins around them each take about a line's
    // height; five of them leave room on the common window managers.
    const int width = fm.horizontalAdvance(FullWindowTitle(title)) + 5 * fm.height();
    const QScreen* screen =
        window && window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? qMin(width, screen->availableGeometry().width()) : width;
}
