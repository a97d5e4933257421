// A flat toolbar that never hides a command behind an overflow arrow: its buttons wrap onto a
// further row (or, standing upright, a further column) when the room runs out. It takes the
// actions, separators and widgets a QToolBar takes, through the same calls.
#pragma once

#include <QWidget>

class QAction;
class QActionEvent;
class QToolButton;

class TWrapToolBar : public QWidget {
    Q_OBJECT

public:
    explicit TWrapToolBar(Qt::Orientation orientation, QWidget* parent = nullptr);

    QAction* addSeparator();
    // The widget stands among the buttons; the toolbar takes it over.
    QAction* addWidget(QWidget* widget);
    // The button or widget that shows an action, as QToolBar gives it.
    QWidget* widgetForAction(QAction* action) const;
    Qt::Orientation orientation() const { return FOrientation; }

    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void actionEvent(QActionEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    struct TItem {
        QAction* Action;
        QWidget* Widget;
    };
    // Places the items in rows (columns) of the given length and returns the extent across:
    // the height of all rows (the width of all columns). Moves the widgets when asked to.
    int Arrange(int length, bool move) const;
    // Moves the items into place for the toolbar's present size; returns the extent across.
    int ArrangeInPlace() const {
        return Arrange(FOrientation == Qt::Horizontal ? width() : height(), true);
    }
    QSize ItemSize(const TItem& item) const;

    Qt::Orientation FOrientation;
    QList<TItem> FItems;
    int FColumnsWidth = 0;
};
