#include "widgets/sizedtabs.h"

#include <QEvent>

void TSizedTabBar::SetTabHeight(int height) {
    if (height == FTabHeight)
        return;
    FTabHeight = height;
    SizesChanged();
}

void TSizedTabBar::SetTabWidth(int width) {
    if (width == FTabWidth)
        return;
    FTabWidth = width;
    SizesChanged();
}

QSize TSizedTabBar::tabSizeHint(int index) const {
    QSize size = QTabBar::tabSizeHint(index);
    if (FTabHeight > 0)
        size.setHeight(FTabHeight);
    if (FTabWidth > 0)
        size.setWidth(FTabWidth);
    return size;
}

void TSizedTabBar::SizesChanged() {
    // The tab bar measures its tabs again and asks its page set for room, as after a change of
    // font.
    QEvent change(QEvent::FontChange);
    changeEvent(&change);
}

TSizedTabWidget::TSizedTabWidget(QWidget* parent) : QTabWidget(parent) {
    FBar = new TSizedTabBar(this);
    setTabBar(FBar);
}
