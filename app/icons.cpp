#include "app/icons.h"

#include <QFile>
#include <QFont>
#include <QHash>
#include <QIconEngine>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTransform>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

// The icons live in a static library, whose resources are linked in only when asked for.
static void InitIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace {

// Breeze's ink for monochrome icons and its "negative" red.
const QColor kInk(0x23, 0x26, 0x29);
const QColor kNegative(0xda, 0x44, 0x53);

// The sizes every icon is drawn at: Breeze's two designs (16 and 22) at one, two and three
// times, plus the common toolbar size 24.
constexpr int kSizes[] = {16, 22, 24, 32, 44, 48};
constexpr int kDesigns[] = {16, 22};

struct TIconSource {
    const char* Breeze;      // Breeze icon name; empty: the letters are the icon
    const char16_t* Letters; // drawn when there is no Breeze icon or it cannot be read
    const char* Badge = "";  // a second Breeze icon drawn small over the lower right corner
};

const QHash<QString, TIconSource>& Sources() {
    static const QHash<QString, TIconSource> sources = {
        // File
        {u"new"_s, {"document-new", u"+"}},
        {u"open"_s, {"document-open", u"op"}},
        {u"saveall"_s, {"document-save-all", u"S*"}},
        {u"saveas"_s, {"document-save-as", u"S.."}},
        {u"save"_s, {"document-save", u"S"}},
        {u"prnsetup"_s, {"document-print", u"prn", "configure"}},
        {u"print"_s, {"document-print", u"prn"}},
        {u"browser"_s, {"globe", u"www"}},
        {u"quit"_s, {"application-exit", u"x"}},
        {u"move"_s, {"document-export", u"mv"}},
        {u"copyfile"_s, {"edit-copy", u"cp", "go-next"}},
        {u"preview"_s, {"document-preview", u"<|>"}},
        // Edit
        {u"undo"_s, {"edit-undo", u"un"}},
        {u"cut"_s, {"edit-cut", u"cut"}},
        {u"copy"_s, {"edit-copy", u"cpy"}},
        {u"paste"_s, {"edit-paste", u"pst"}},
        {u"selectall"_s, {"edit-select-all", u"all"}},
        {u"find"_s, {"edit-find", u"?"}},
        {u"replace"_s, {"edit-find-replace", u"?>"}},
        {u"options"_s, {"configure", u"opt"}},
        {u"color"_s, {"color-picker", u"#"}},
        {u"edittag"_s, {"tag-edit", u"<?>"}},
        {u"validate"_s, {"checkmark", u"ok"}},
        // View
        {u"navigator"_s, {"view-sidetree", u"nav"}},
        {u"wordwrap"_s, {"text-wrap", u"wr"}},
        {u"found"_s, {"view-list-details", u"res"}},
        // Insert
        {u"open-br"_s, {"", u"<>"}},
        {u"close-br"_s, {"", u"</>"}},
        // Help
        {u"help"_s, {"help-contents", u"?"}},
        {u"about"_s, {"help-about", u"i"}},
        // Other
        {u"refresh"_s, {"view-refresh", u"upd"}},
        {u"close"_s, {"document-close", u"x"}},
        // Project
        {u"newproject"_s, {"project-development-new-template", u"pr+"}},
        {u"project"_s, {"project-open", u"prj"}},
        {u"editproject"_s, {"document-properties", u"pr.."}},
        // Tags; those Breeze has no picture of are their letters.
        {u"b"_s, {"format-text-bold", u"B"}},
        {u"i"_s, {"format-text-italic", u"I"}},
        {u"u"_s, {"format-text-underline", u"U"}},
        {u"br"_s, {"", u"br"}},
        {u"pre"_s, {"", u"pre"}},
        {u"p"_s, {"", u"p"}},
        {u"font"_s, {"font", u"Aa"}},
        {u"center"_s, {"format-justify-center", u"c"}},
        {u"style"_s, {"code-context", u"css"}},
        {u"ul"_s, {"format-list-unordered", u"ul"}},
        {u"li"_s, {"", u"li"}},
        {u"table"_s, {"insert-table", u"tbl"}},
        {u"tr"_s, {"edit-table-insert-row-below", u"tr"}},
        {u"td"_s, {"edit-table-insert-column-right", u"td"}},
        {u"caption"_s, {"insert-text-frame", u"cap"}},
        {u"a"_s, {"insert-link", u"a"}},
        {u"img"_s, {"insert-image", u"img"}},
        {u"map"_s, {"", u"map"}},
        {u"area"_s, {"select-rectangular", u"ar"}},
        {u"hr"_s, {"", u"hr"}},
        {u"comment"_s, {"edit-comment", u"!--"}},
        {u"form"_s, {"view-form", u"frm"}},
        {u"select"_s, {"", u"sel"}},
        {u"object"_s, {"object", u"obj"}},
        {u"param"_s, {"", u"prm"}},
        {u"embed"_s, {"plugins", u"emb"}},
        {u"noembed"_s, {"", u"¬e"}},
        {u"applet"_s, {"", u"app"}},
        {u"noscript"_s, {"", u"¬s"}},
        {u"div"_s, {"", u"div"}},
        {u"flash"_s, {"", u"swf"}},
        {u"frameset"_s, {"view-split-left-right", u"fs"}},
        {u"frame"_s, {"window", u"fr"}},
        {u"noframes"_s, {"", u"¬f"}},
        // Site browser
        {u"folder"_s, {"folder", u"dir"}},
        {u"page"_s, {"text-html", u"htm"}},
        {u"picture"_s, {"image-x-generic", u"img"}},
        {u"file"_s, {"unknown", u"?"}},
        {u"up"_s, {"go-parent-folder", u".."}},
    };
    return sources;
}

QString BreezeFile(const QString& name, int design) {
    return u":/icons/breeze/%1/%2.svg"_s.arg(design).arg(name);
}

// An SVG file drawn on a transparent square. Read through Qt's SVG image plugin, which is loaded
// when the first icon is drawn rather than with the program. Null when it cannot be read.
QImage SvgImage(const QString& file, int side) {
    QImageReader reader(file, "svg");
    reader.setScaledSize(QSize(side, side));
    QImage image = reader.read();
    if (image.isNull())
        return image;
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage Blank(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A Breeze icon at a size, from the design that fills most of it at a whole-number scale (16
// at 32 and 48, 22 at 24 and 44), centred, so its lines stay on whole pixels. Null when the
// program does not carry it or it cannot be read.
QImage BreezeImage(const QString& name, int size) {
    InitIconResources();
    int bestDesign = 0;
    int bestDrawn = 0;
    for (int design : kDesigns) {
        const int drawn = design * (size / design);
        if (drawn >= bestDrawn && drawn > 0 && QFile::exists(BreezeFile(name, design))) {
            bestDesign = design;
            bestDrawn = drawn;
        }
    }
    if (bestDesign == 0)
        return {};
    const QImage drawn = SvgImage(BreezeFile(name, bestDesign), bestDrawn);
    if (drawn.isNull() || bestDrawn == size)
        return drawn;
    QImage image = Blank(size);
    QPainter p(&image);
    const int at = (size - bestDrawn) / 2;
    p.drawImage(QPoint(at, at), drawn);
    return image;
}

QImage LettersImage(const QString& letters, int size) {
    QImage image = Blank(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0; // one pixel of the 16 pixel design
    QPen pen(kInk);
    pen.setWidthF(unit);
    p.setPen(pen);
    const QRectF frame(unit / 2, unit * 1.5, size - unit, size - unit * 3);
    p.drawRoundedRect(frame, unit * 2, unit * 2);
    // The letters keep a readable height; a word too wide for the frame is narrowed instead of
    // made smaller, as a condensed face would be.
    QFont font(u"DejaVu Sans"_s);
    font.setBold(letters.size() <= 2);
    font.setPixelSize(qMax(1, qRound(frame.height() * (letters.size() <= 1 ? 0.75 : 0.66))));
    QPainterPath path;
    path.addText(0, 0, font, letters);
    const QRectF ink = path.boundingRect();
    if (ink.isEmpty())
        return image;
    const qreal room = frame.width() - unit * 3;
    QTransform t;
    t.translate(frame.center().x(), frame.center().y());
    t.scale(qMin(1.0, room / ink.width()), 1.0);
    t.translate(-ink.center().x(), -(ink.top() + ink.bottom()) / 2);
    p.setPen(Qt::NoPen);
    p.fillPath(t.map(path), kInk);
    return image;
}

// The icon over the lower right corner of another, on a cleared patch so it stays readable.
void PaintBadge(QImage& image, const QImage& badge) {
    const int size = image.width();
    const int side = size * 5 / 8;
    const QRect where(size - side, size - side, side, side);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(QRectF(where).adjusted(-1, -1, 1, 1));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.drawImage(where, badge.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

// A red disc with a white cross over the lower right corner: the target is missing.
void PaintBrokenBadge(QImage& image) {
    const int size = image.width();
    const qreal side = size * 9 / 16.0;
    const QRectF disc(size - side, size - side, side, side);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(disc.adjusted(-size / 16.0, -size / 16.0, 0, 0));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setBrush(kNegative);
    p.drawEllipse(disc);
    QPen pen(Qt::white);
    pen.setWidthF(size / 11.0);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    const qreal m = side * 0.3;
    p.drawLine(disc.topLeft() + QPointF(m, m), disc.bottomRight() - QPointF(m, m));
    p.drawLine(disc.topRight() + QPointF(-m, m), disc.bottomLeft() + QPointF(m, -m));
}

// The image of a key at one size; the letters stand in for any Breeze icon that fails.
QImage KeyImage(const QString& key, int size) {
    const auto it = Sources().constFind(key);
    const QString breeze = it != Sources().constEnd() ? QString::fromLatin1(it->Breeze) : QString();
    const QString letters = it != Sources().constEnd() ? QString::fromUtf16(it->Letters) : u"?"_s;
    const QString badge = it != Sources().constEnd() ? QString::fromLatin1(it->Badge) : QString();
    QImage image = breeze.isEmpty() ? QImage() : BreezeImage(breeze, size);
    if (image.isNull()) {
        image = LettersImage(letters, size);
    } else if (!badge.isEmpty()) {
        const QImage small = BreezeImage(badge, size);
        if (!small.isNull())
            PaintBadge(image, small);
    }
    return image;
}

// An icon drawn one size at a time, when a size is first asked for. The window has about a
// hundred commands but shows each at one size, so drawing every size up front would spend most
// of the start-up on pictures nobody sees. Copies of the icon share what was drawn.
class TDrawnIconEngine : public QIconEngine {
public:
    explicit TDrawnIconEngine(std::function<QImage(int)> draw)
        : FState(std::make_shared<TState>()) {
        FState->Draw = std::move(draw);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Drawn(size).pixmap(size, mode, state);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        Drawn(rect.size()).paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Drawn(size).actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (int side : kSizes)
            sizes << QSize(side, side);
        return sizes;
    }
    QIconEngine* clone() const override { return new TDrawnIconEngine(*this); }
    QString key() const override { return u"QuorvaneDrawn"_s; }
    bool isNull() override { return false; }

private:
    struct TState {
        std::function<QImage(int)> Draw;
        QIcon Drawn; // the sizes drawn so far
        QList<int> Sides;
    };

    // The icon holding the size that serves a request: the smallest drawn size that covers
    // it, or the largest for a request bigger than every size.
    const QIcon& Drawn(const QSize& size) {
        const int wanted = qMax(size.width(), size.height());
        int side = kSizes[std::size(kSizes) - 1];
        for (int s : kSizes)
            if (s >= wanted) {
                side = s;
                break;
            }
        if (!FState->Sides.contains(side)) {
            FState->Sides << side;
            FState->Drawn.addPixmap(QPixmap::fromImage(FState->Draw(side)));
        }
        return FState->Drawn;
    }

    std::shared_ptr<TState> FState;
};

} // namespace

QIcon IconDrawnOnDemand(std::function<QImage(int)> draw) {
    return QIcon(new TDrawnIconEngine(std::move(draw)));
}

QIcon CommandIcon(const QString& key) {
    static QHash<QString, QIcon> cache;
    if (auto it = cache.constFind(key); it != cache.constEnd())
        return *it;
    const QIcon icon = IconDrawnOnDemand([key](int size) { return KeyImage(key, size); });
    cache.insert(key, icon);
    return icon;
}

QIcon BrokenCommandIcon(const QString& key) {
    static QHash<QString, QIcon> cache;
    if (auto it = cache.constFind(key); it != cache.constEnd())
        return *it;
    const QIcon icon = IconDrawnOnDemand([key](int size) {
        QImage image = KeyImage(key, size);
        PaintBrokenBadge(image);
        return image;
    });
    cache.insert(key, icon);
    return icon;
}

bool HasCommandIcon(const QString& key) {
    return Sources().contains(key);
}

QString CommandIconBreezeName(const QString& key) {
    const auto it = Sources().constFind(key);
    return it != Sources().constEnd() ? QString::fromLatin1(it->Breeze) : QString();
}

bool HasBreezeIcon(const QString& name) {
    InitIconResources();
    for (int design : kDesigns)
        if (SvgImage(BreezeFile(name, design), design).isNull())
            return false;
    return true;
}

QIcon BreezeIcon(const QString& name, const QString& letters) {
    return IconDrawnOnDemand([name, letters](int size) {
        const QImage image = BreezeImage(name, size);
        return image.isNull() ? LettersImage(letters, size) : image;
    });
}

QIcon LettersIcon(const QString& letters) {
    return IconDrawnOnDemand([letters](int size) { return LettersImage(letters, size); });
}
