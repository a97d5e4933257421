#include "app/about.h"

#include "app/jpegimage.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLoggingCategory>
#include <QMouseEvent>
#include <QScreen>
#include <QThread>
#include <QWindow>

#include <future>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcAbout, "quorvane.about")

// The picture lives in a static library, whose resources are linked in only when asked for.
static void InitAboutResources() {
    Q_INIT_RESOURCE(about);
}

namespace {

constexpr int kWidth = 500;
constexpr int kHeight = 200;

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, const QRect& where,
                  int pointSize, bool bold, const QColor& color) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    QFont f = l->font();
    f.setPointSize(pointSize);
    f.setBold(bold);
    l->setFont(f);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, color);
    l->setPalette(pal);
    l->setGeometry(where);
    // Clicks belong to the window, which closes on any of them.
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    return l;
}

} // namespace

QImage TfrmAbout::LoadPicture() {
    InitAboutResources();
    QFile file(u":/about/about.jpg"_s);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcAbout) << "the about picture is missing from the program";
        return {};
    }
    const TJpegImage jpeg = DecodeJpeg(file.readAll());
    if (!jpeg.IsValid() || jpeg.Width <= 0 || jpeg.Height <= 0) {
        qCWarning(lcAbout) << "the about picture cannot be decoded:" << jpeg.Error;
        return {};
    }
    const QImage view(reinterpret_cast<const uchar*>(jpeg.Pixels.constData()), jpeg.Width,
                      jpeg.Height, qsizetype(jpeg.Width) * 3, QImage::Format_RGB888);
    // A copy, as the pixels must outlive the decoder's buffer, in the format the screen's
    // pixmaps take, so showing it is no second conversion.
    return view.convertToFormat(QImage::Format_RGB32);
}

namespace {
std::future<QImage>& PictureBeingLoaded() {
    static std::future<QImage> picture;
    return picture;
}
} // namespace

void TfrmAbout::StartLoadingPicture() {
    // Qt takes the first thread that asks for its per-thread data for the main thread. Called
    // before the application object exists, the decoder (which opens a QFile) could get there
    // first: Qt then warned that the application was not made in the main thread, and lost its
    // main thread when the decoder ended. Asking here, before the decoder starts, settles it.
    Q_UNUSED(QThread::currentThread());
    PictureBeingLoaded() = std::async(std::launch::async, &TfrmAbout::LoadPicture);
}

TfrmAbout::TfrmAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(u"frmAbout"_s);
    setWindowTitle(u"О программе"_s);
    setFixedSize(kWidth, kHeight);
    // Without the picture the texts still stand on a dark ground.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0x1d, 0x4e, 0x7a));
    setPalette(pal);
    setAutoFillBackground(true);

    std::future<QImage>& loading = PictureBeingLoaded();
    FPicture = loading.valid() ? loading.get() : LoadPicture();
    imgLogo = new QLabel(this);
    imgLogo->setObjectName(u"imgLogo"_s);
    imgLogo->setGeometry(0, 0, kWidth, kHeight);
    imgLogo->setAttribute(Qt::WA_TransparentForMouseEvents);
    if (!FPicture.isNull())
        imgLogo->setPixmap(QPixmap::fromImage(FPicture.size() == QSize(kWidth, kHeight)
                                                  ? FPicture
                                                  : FPicture.scaled(kWidth, kHeight,
                                                                    Qt::KeepAspectRatioByExpanding,
                                                                    Qt::SmoothTransformation)));

    const QColor light(0xfb, 0xf8, 0xef);
    lblVersion = MakeLabel(this, u"lblVersion"_s, u"версия 1.2"_s, QRect(184, 104, 300, 22), 11,
                           false, light);
    lblMakers1 = MakeLabel(this, u"lblMakers1"_s, u"Создан командой разработчиков Quorvane"_s,
                           QRect(184, 134, 310, 18), 9, true, light);
    lblMakers2 = MakeLabel(this, u"lblMakers2"_s, u"© Авторы Quorvane. Все права защищены."_s,
                           QRect(184, 154, 310, 18), 9, false, light);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TfrmAbout::ShowAsSplash() {
    Tag = 0;
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    show();
    // No message loop runs yet, so let the window system map the window, then paint it now; a
    // window system that never reports it shown only costs this short wait.
    const QDeadlineTimer deadline(200);
    while (!(windowHandle() && windowHandle()->isExposed()) && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(5);
    }
    // Painting again right after the first paint would wait for the window system to finish
    // copying the first one.
    if (!FPainted)
        repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TfrmAbout::paintEvent(QPaintEvent* event) {
    FPainted = true;
    QDialog::paintEvent(event);
}

void TfrmAbout::mousePressEvent(QMouseEvent* event) {
    event->accept();
    accept();
}
