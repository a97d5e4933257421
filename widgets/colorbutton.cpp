#include "widgets/colorbutton.h"

#include "app/platform.h"

#include <QGridLayout>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QWidgetAction>

using namespace Qt::StringLiterals;

namespace {
constexpr int SwatchSize = 16;
constexpr int PaletteColumns = 8;

QIcon SwatchIcon(TColor color, QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(ToQColor(color));
    QPainter painter(&pixmap);
    painter.setPen(Qt::darkGray);
    painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
    return QIcon(pixmap);
}
} // namespace

QColor ToQColor(TColor color) {
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

TColor FromQColor(const QColor& color) {
    return TColor(color.red()) | (TColor(color.green()) << 8) | (TColor(color.blue()) << 16);
}

const QList<TColor>& TColorButton::PaletteColors() {
    // Written as the pages write them (#rrggbb), turned into colour values once.
    static const QList<TColor> colors = [] {
        const char16_t* const html[] = {
            u"#000000", u"#333333", u"#666666", u"#808080", u"#999999", u"#c0c0c0", u"#e0e0e0",
            u"#ffffff", u"#800000", u"#ff0000", u"#ff6600", u"#ff9900", u"#ffcc00", u"#ffff00",
            u"#ffff99", u"#ffcccc", u"#008000", u"#00ff00", u"#99cc00", u"#339966", u"#00ff99",
            u"#ccffcc", u"#808000", u"#ffcc99", u"#000080", u"#0000ff", u"#3366ff", u"#0099ff",
            u"#00ccff", u"#00ffff", u"#99ccff", u"#ccffff", u"#800080", u"#ff00ff", u"#993366",
            u"#cc99ff", u"#ff99cc", u"#663300", u"#996633", u"#008080"};
        QList<TColor> list;
        for (const char16_t* h : html)
            list << HtmlToColor(QString::fromUtf16(h));
        return list;
    }();
    return colors;
}

TColorButton::TColorButton(QWidget* parent) : QToolButton(parent) {
    setPopupMode(QToolButton::InstantPopup);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setIconSize(QSize(36, 14));
    FMenu = new QMenu(this);
    auto* grid = new QWidget(FMenu);
    auto* layout = new QGridLayout(grid);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    const QList<TColor>& colors = PaletteColors();
    for (int i = 0; i < colors.size(); ++i) {
        auto* swatch = new QToolButton(grid);
        swatch->setObjectName(u"swatch"_s + QString::number(i));
        swatch->setAutoRaise(true);
        swatch->setIconSize(QSize(SwatchSize, SwatchSize));
        swatch->setIcon(SwatchIcon(colors.at(i), QSize(SwatchSize, SwatchSize)));
        swatch->setToolTip(ColorToHtml(colors.at(i)));
        const TColor color = colors.at(i);
        connect(swatch, &QToolButton::clicked, this, [this, color] {
            FMenu->close();
            Pick(color);
        });
        layout->addWidget(swatch, i / PaletteColumns, i % PaletteColumns);
    }
    auto* gridAction = new QWidgetAction(FMenu);
    gridAction->setDefaultWidget(grid);
    FMenu->addAction(gridAction);
    FMenu->addSeparator();
    QAction* other = FMenu->addAction(u"Другой цвет…"_s);
    other->setObjectName(u"actOtherColor"_s);
    connect(other, &QAction::triggered, this, &TColorButton::PickOtherColor);
    setMenu(FMenu);
    UpdateIcon();
}

void TColorButton::setColor(TColor color) {
    FColor = color & 0xFFFFFF;
    UpdateIcon();
}

void TColorButton::PickOtherColor() {
    const auto picked = Platform().PickColor(window(), ToQColor(FColor));
    if (picked && picked->isValid())
        Pick(FromQColor(*picked));
}

void TColorButton::Pick(TColor color) {
    setColor(color);
    emit OnChange(FColor);
}

void TColorButton::UpdateIcon() {
    setIcon(SwatchIcon(FColor, iconSize()));
    setToolTip(ColorToHtml(FColor));
}
