// A page set whose tabs take a size set in code instead of the style's. A style sheet would do
// the same, but it puts a style-sheet style over the tab bar, which makes it slower to make, to
// lay out and to paint.
#pragma once

#include <QTabBar>
#include <QTabWidget>

class TSizedTabBar : public QTabBar {
public:
    using QTabBar::QTabBar;

    // 0 leaves the style's height or width; the other side stays the style's.
    void SetTabHeight(int height) { SetSize(FTabHeight, height); }
    void SetTabWidth(int width) { SetSize(FTabWidth, width); }

protected:
    QSize tabSizeHint(int index) const override;

private:
    // Sets one side; the bar measures its tabs again when it changed.
    void SetSize(int& side, int value);

    int FTabHeight = 0;
    int FTabWidth = 0;
};

class TSizedTabWidget : public QTabWidget {
public:
    explicit TSizedTabWidget(QWidget* parent = nullptr);

    TSizedTabBar* SizedTabBar() const { return FBar; }

private:
    TSizedTabBar* FBar;
};
