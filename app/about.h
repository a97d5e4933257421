// The about window: the program's picture, its version and its makers. The same window serves as
// the splash window while the main window is being created.
#pragma once

#include <QDialog>
#include <QImage>

class QLabel;

class TfrmAbout : public QDialog {
    Q_OBJECT

public:
    explicit TfrmAbout(QWidget* parent = nullptr);

    // 0 while it is the splash window, 1 when the user asked for it ("О программе").
    int Tag = 0;

    QLabel* imgLogo = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblMakers1 = nullptr;
    QLabel* lblMakers2 = nullptr;

    // The decoded picture; null when the embedded picture could not be read.
    const QImage& Picture() const { return FPicture; }

    // Shows the window without waiting and paints it at once, for use before the message loop
    // runs (the splash).
    void ShowAsSplash();

    // The picture built into the program, decoded with the program's JPEG reader.
    static QImage LoadPicture();
    // Starts decoding the picture on another thread; the next window made takes it from there.
    // Called first thing at start, so the splash finds its picture ready.
    static void StartLoadingPicture();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QImage FPicture;
    bool FPainted = false;
};
