#include "widgets/sizedtabs.h"

#include <QEvent>

QSize TSizedTabBar::tabSizeHint(int index) const {
    QSize size = QTabBar::tabSizeHint(index);
    if (FTabHeight > 0)
        size.setHeight(FTabHeight);
    if (FTabWidth > 0)
        size.setWidth(FTabWidth);
    return size;
}

void TSizedTabBar::SetSize(int& side, int value) {
    if (side == value)
        return;
    side = value;
    // The tab bar measures its tabs again and asks its page set for room, as after a change of
    // font.
    QEvent change(QEvent::FontChange);
    changeEvent(&change);
}

TSizedTabWidget::TSizedTabWidget(QWidget* parent) : QTabWidget(parent) {
    FBar = new TSizedTabBar(this);
    setTabBar(FBar);
}
