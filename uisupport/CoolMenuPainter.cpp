#include "uisupport/CoolMenuPainter.h"

#include <QColor>
#include <QPainter>
#include <QPalette>
#include <QPen>

namespace coolmenu {
namespace {
constexpr int kRadioDotHalf = 2;     // half the width of the radio dot
constexpr int kArrowHalfHeight = 3;  // the submenu arrow is 7 pixels high, 4 wide
constexpr QRgb kWhite = 0xFFFFFF;

// The image as a one-bit mask on white: true where the image paints a non-white pixel.
QImage ShapeOf(const QImage& image) {
    QImage shape(image.size(), QImage::Format_ARGB32);
    shape.fill(Qt::transparent);
    const QImage source = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < source.height(); ++y) {
        const auto* pIn = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* pOut = reinterpret_cast<QRgb*>(shape.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const bool bOpaque = qAlpha(pIn[x]) >= 128;
            if (bOpaque && (pIn[x] & RGB_MASK) != kWhite)
                pOut[x] = 0xFF000000u;
        }
    }
    return shape;
}

// The mark (opaque where set) recoloured.
QImage Colored(const QImage& mark, const QColor& color) {
    QImage out = mark.convertToFormat(QImage::Format_ARGB32);
    const QRgb rgb = color.rgb() | 0xFF000000u;
    for (int y = 0; y < out.height(); ++y) {
        auto* pLine = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            pLine[x] = qAlpha(pLine[x]) >= 128 ? rgb : 0;
    }
    return out;
}

// The image composed on white, fully opaque.
QImage OnWhite(const QImage& image) {
    QImage out(image.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    const QImage source = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < source.height(); ++y) {
        const auto* pIn = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* pOut = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < source.width(); ++x)
            if (qAlpha(pIn[x]) >= 128)
                pOut[x] = pIn[x] | 0xFF000000u;
    }
    return out;
}

// Paints the brush where the source bits are 0 and keeps the destination where they are
// 1: first destination AND source, then OR the brush masked by the inverted source.
void PaintWhereDark(QPainter& painter, const QImage& source, QPoint pos, const QColor& brush) {
    QImage brushPart = source;
    const QRgb rgbBrush = brush.rgb();
    for (int y = 0; y < brushPart.height(); ++y) {
        auto* pLine = reinterpret_cast<QRgb*>(brushPart.scanLine(y));
        for (int x = 0; x < brushPart.width(); ++x)
            pLine[x] = ((~pLine[x] & rgbBrush) & RGB_MASK) | 0xFF000000u;
    }
    const QPainter::CompositionMode mode = painter.compositionMode();
    painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    painter.drawImage(pos, source);
    painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    painter.drawImage(pos, brushPart);
    painter.setCompositionMode(mode);
}
}  // namespace

QPalette MenuPalette(const QPalette& palette) {
    QPalette menu = palette;
    menu.setCurrentColorGroup(QPalette::Active);
    return menu;
}

QColor GrayText(const QPalette& palette) {
    return palette.color(QPalette::Disabled, QPalette::WindowText);
}

void DrawEdge(QPainter& painter, const QRect& rc, Edge edge, const QPalette& palette) {
    QColor topLeft, bottomRight;
    switch (edge) {
        case Edge::kSunkenOuter:
            topLeft = palette.color(QPalette::Dark);
            bottomRight = palette.color(QPalette::Light);
            break;
        case Edge::kRaisedInner:
            topLeft = palette.color(QPalette::Light);
            bottomRight = palette.color(QPalette::Dark);
            break;
        case Edge::kRaisedOuter:
            topLeft = palette.color(QPalette::Midlight);
            bottomRight = palette.color(QPalette::Shadow);
            break;
    }
    painter.fillRect(QRect(rc.left(), rc.top(), rc.width(), 1), topLeft);
    painter.fillRect(QRect(rc.left(), rc.top(), 1, rc.height()), topLeft);
    painter.fillRect(QRect(rc.left(), rc.bottom(), rc.width(), 1), bottomRight);
    painter.fillRect(QRect(rc.right(), rc.top(), 1, rc.height()), bottomRight);
}

void DrawEtchedSeparator(QPainter& painter, const QRect& rcItem, const QPalette& palette) {
    const int y = rcItem.top() + rcItem.height() / 2;
    painter.fillRect(QRect(rcItem.left(), y, rcItem.width(), 1), palette.color(QPalette::Dark));
    painter.fillRect(QRect(rcItem.left(), y + 1, rcItem.width(), 1),
                     palette.color(QPalette::Light));
}

void DrawEmbossed(QPainter& painter, const QImage& image, QPoint pos, const QPalette& palette,
                  bool bColour) {
    const QColor highlight = palette.color(QPalette::Light);
    const QColor shadow = palette.color(QPalette::Dark);
    if (bColour) {
        const QImage source = OnWhite(image);
        PaintWhereDark(painter, source, pos + QPoint(1, 1), highlight);
        PaintWhereDark(painter, source, pos, shadow);
        return;
    }
    const QImage shape = ShapeOf(image);
    painter.drawImage(pos + QPoint(1, 1), Colored(shape, highlight));
    painter.drawImage(pos, Colored(shape, shadow));
}

QImage StandardCheckMark(int nSize) {
    QImage mark(nSize, nSize, QImage::Format_ARGB32);
    mark.fill(Qt::transparent);
    // A tick: down from the left quarter to the lower middle, then up to the right quarter.
    QPainter painter(&mark);
    painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    const QPoint points[] = {
        {nSize / 4, nSize / 2}, {nSize * 5 / 12, nSize * 2 / 3}, {nSize * 3 / 4, nSize / 3}};
    painter.drawPolyline(points, 3);
    painter.end();
    return Colored(mark, Qt::black);
}

QImage RadioMark(int nSize) {
    QImage mark(nSize, nSize, QImage::Format_ARGB32);
    mark.fill(Qt::transparent);
    QPainter painter(&mark);
    const int dx = nSize / 2 - kRadioDotHalf;
    const int dy = nSize / 2 - kRadioDotHalf;
    const QRect rcDot = QRect(0, 0, nSize, nSize).adjusted(dx, dy, -dx, -dy);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(rcDot);
    painter.end();
    // Back to one bit: the dot is either there or not.
    return Colored(mark, Qt::black);
}

void DrawCheckMark(QPainter& painter, const QRect& rcBox, bool bSelected, const QImage& mark,
                   const QPalette& palette) {
    const QColor back = palette.color(bSelected ? QPalette::Window : QPalette::Midlight);
    const bool bNarrower = mark.width() < rcBox.width();
    QRect rcDest = rcBox;
    QImage source = mark;
    if (bNarrower) {
        rcDest =
            QRect(rcBox.left() + (rcBox.width() - mark.width()) / 2,
                  rcBox.top() + (rcBox.height() - mark.height()) / 2, mark.width(), mark.height());
    } else {
        source = mark.copy((mark.width() - rcBox.width()) / 2, (mark.height() - rcBox.height()) / 2,
                           rcBox.width(), rcBox.height());
    }
    painter.fillRect(rcDest, back);
    painter.drawImage(rcDest.topLeft(), Colored(source, palette.color(QPalette::WindowText)));
    if (bNarrower)
        DrawEdge(painter, rcDest.adjusted(-1, -1, 1, 1), Edge::kSunkenOuter, palette);
}

void DrawItemText(QPainter& painter, const QRect& rcText, const QString& strText,
                  const QColor& color) {
    painter.setPen(color);
    const qsizetype nTab = strText.indexOf(u'\t');
    const int nFlags = Qt::TextSingleLine | Qt::AlignVCenter | Qt::TextShowMnemonic;
    painter.drawText(rcText, nFlags | Qt::AlignLeft, nTab < 0 ? strText : strText.left(nTab));
    if (nTab > 0)
        painter.drawText(rcText, nFlags | Qt::AlignRight, strText.mid(nTab + 1));
}

void DrawSubmenuArrow(QPainter& painter, const QRect& rcArea, const QColor& color) {
    // Columns of a right-pointing triangle, each one pixel shorter at both ends.
    const int x0 = rcArea.left() + (rcArea.width() - kArrowHalfHeight - 1) / 2;
    const int yMid = rcArea.top() + rcArea.height() / 2;
    for (int i = 0; i <= kArrowHalfHeight; ++i) {
        const int nHalf = kArrowHalfHeight - i;
        painter.fillRect(QRect(x0 + i, yMid - nHalf, 1, 2 * nHalf + 1), color);
    }
}

}  // namespace coolmenu
