#include "widgets/wraptoolbar.h"

#include <QActionEvent>

#include <QFrame>
#include <QToolButton>
#include <QWidgetAction>
#include <algorithm>

namespace {
constexpr int kSpacing = 0;
constexpr int kButton = 24; // a 16 pixel icon with its frame
constexpr int kMargin = 2;
constexpr int kSeparator = 5; // the room a separator line takes along the row
} // namespace

TWrapToolBar::TWrapToolBar(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), FOrientation(orientation) {
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(orientation == Qt::Horizontal);
    setSizePolicy(policy);
}

QAction* TWrapToolBar::addSeparator() {
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    addAction(separator);
    return separator;
}

QAction* TWrapToolBar::addWidget(QWidget* widget) {
    auto* holder = new QWidgetAction(this);
    holder->setDefaultWidget(widget);
    addAction(holder);
    return holder;
}

QWidget* TWrapToolBar::widgetForAction(QAction* action) const {
    for (const TItem& item : FItems)
        if (item.Action == action)
            return item.Widget;
    return nullptr;
}

void TWrapToolBar::actionEvent(QActionEvent* event) {
    QAction* action = event->action();
    if (event->type() == QEvent::ActionAdded) {
        QWidget* widget = nullptr;
        if (auto* holder = qobject_cast<QWidgetAction*>(action)) {
            widget = holder->defaultWidget();
            widget->setParent(this);
        } else if (action->isSeparator()) {
            auto* line = new QFrame(this);
            line->setFrameShape(FOrientation == Qt::Horizontal ? QFrame::VLine : QFrame::HLine);
            line->setFrameShadow(QFrame::Sunken);
            widget = line;
        } else {
            auto* button = new QToolButton(this);
            button->setDefaultAction(action);
            button->setAutoRaise(true);
            button->setIconSize(QSize(16, 16));
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);
            button->setFocusPolicy(Qt::NoFocus);
            button->setFixedSize(kButton, kButton);
            widget = button;
        }
        const auto before = std::find_if(FItems.begin(), FItems.end(), [&](const TItem& i) {
            return i.Action == event->before();
        });
        FItems.insert(before, TItem{action, widget});
        // A button made here follows its action's visibility; the others are shown here.
        if (qobject_cast<QToolButton*>(widget) == nullptr || qobject_cast<QWidgetAction*>(action))
            widget->show();
    } else if (event->type() == QEvent::ActionRemoved) {
        for (qsizetype i = 0; i < FItems.size(); ++i)
            if (FItems[i].Action == action) {
                // A widget given to the toolbar stays its owner's business; our own go.
                if (!qobject_cast<QWidgetAction*>(action))
                    delete FItems[i].Widget;
                FItems.removeAt(i);
                break;
            }
    }
    updateGeometry();
    // A toolbar being filled before it is shown is laid out once, when it shows: placing every
    // item again after each one is added asks each combo box for its size again and again.
    if (isVisible())
        ArrangeInPlace();
}

QSize TWrapToolBar::ItemSize(const TItem& item) const {
    if (item.Action->isSeparator())
        return FOrientation == Qt::Horizontal ? QSize(kSeparator, 20) : QSize(20, kSeparator);
    return item.Widget->sizeHint();
}

int TWrapToolBar::Arrange(int length, bool move) const {
    const bool across = FOrientation == Qt::Horizontal;
    const int room = qMax(1, length - 2 * kMargin);
    int along = 0;          // position along the current row
    int rowStart = kMargin; // where the current row starts across
    int rowExtent = 0;      // the row's extent across
    QList<std::pair<QWidget*, QRect>> placed;
    for (const TItem& item : FItems) {
        if (!item.Widget->isVisibleTo(this) && !item.Action->isSeparator())
            continue;
        const QSize size = ItemSize(item);
        const int itemAlong = across ? size.width() : size.height();
        const int itemAcross = across ? size.height() : size.width();
        if (along > 0 && along + itemAlong > room) {
            rowStart += rowExtent + kSpacing;
            along = 0;
            rowExtent = 0;
        }
        // A separator that would open a row is not needed there.
        if (along == 0 && item.Action->isSeparator()) {
            if (move)
                item.Widget->hide();
            continue;
        }
        const QRect r = across ? QRect(kMargin + along, rowStart, itemAlong, itemAcross)
                               : QRect(rowStart, kMargin + along, itemAcross, itemAlong);
        placed.append({item.Widget, r});
        along += itemAlong + kSpacing;
        rowExtent = qMax(rowExtent, itemAcross);
    }
    if (move)
        for (const auto& [widget, rect] : placed) {
            // Items of a row share its extent, so separators and buttons line up.
            widget->setGeometry(rect);
            widget->show();
        }
    return rowStart + rowExtent + kMargin;
}

bool TWrapToolBar::hasHeightForWidth() const {
    return FOrientation == Qt::Horizontal;
}

int TWrapToolBar::heightForWidth(int width) const {
    return Arrange(width, false);
}

QSize TWrapToolBar::sizeHint() const {
    // One row (column) with every item.
    const int length = Arrange(QWIDGETSIZE_MAX / 2, false);
    int along = 2 * kMargin;
    for (const TItem& item : FItems) {
        const QSize s = ItemSize(item);
        along += (FOrientation == Qt::Horizontal ? s.width() : s.height()) + kSpacing;
    }
    return FOrientation == Qt::Horizontal ? QSize(along, length) : QSize(length, along);
}

QSize TWrapToolBar::minimumSizeHint() const {
    // The widest item must fit; the rest wraps.
    int widest = 0;
    for (const TItem& item : FItems) {
        const QSize s = ItemSize(item);
        widest = qMax(widest, FOrientation == Qt::Horizontal ? s.width() : s.height());
    }
    const int extent = Arrange(widest + 2 * kMargin, false);
    if (FOrientation == Qt::Horizontal)
        return QSize(widest + 2 * kMargin, 0);
    return QSize(qMax(extent, FColumnsWidth), widest + 2 * kMargin);
}

void TWrapToolBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int extent = ArrangeInPlace();
    if (FOrientation == Qt::Vertical && extent != width()) {
        // Standing upright, the toolbar is as wide as its columns need at this height.
        FColumnsWidth = extent;
        setFixedWidth(extent);
    }
}

void TWrapToolBar::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    ArrangeInPlace();
}

bool TWrapToolBar::event(QEvent* event) {
    // A button shown or hidden (an action made visible or invisible) changes the rows.
    if (event->type() == QEvent::LayoutRequest) {
        updateGeometry();
        if (isVisible()) // a hidden one is laid out when it shows
            ArrangeInPlace();
    }
    return QWidget::event(event);
}
