#include "resources/IconArt.h"

#include <QPainter>
#include <QPainterPath>
#include <functional>
#include <vector>

namespace art {

namespace {

using Cell = std::function<void(QPainter&)>;

const QColor kOutline(60, 60, 60);
const QColor kYellow(250, 210, 70);
const QColor kYellowDark(200, 150, 30);
const QColor kGrey(175, 175, 175);
const QColor kGreyDark(110, 110, 110);
const QColor kRed(210, 40, 40);

QImage Blank(int w, int h, int scale) {
    QImage image(w * scale, h * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage DrawStrip(const std::vector<Cell>& cells, int w, int h, int scale) {
    QImage image = Blank(w * static_cast<int>(cells.size()), h, scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    for (const Cell& cell : cells) {
        p.save();
        p.setClipRect(0, 0, w, h);
        cell(p);
        p.restore();
        p.translate(w, 0);
    }
    return image;
}

QPen Outline(const QColor& color = kOutline) {
    QPen pen(color, 1.0);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

// Rectangles on the half-pixel grid so one-unit outlines stay sharp.
QRectF Box(double x, double y, double w, double h) {
    return QRectF(x + 0.5, y + 0.5, w, h);
}

void Folder(QPainter& p, bool open) {
    p.setPen(Outline(kYellowDark.darker(130)));
    p.setBrush(kYellowDark);
    QPainterPath back;
    back.moveTo(1.5, 3.5);
    back.lineTo(6.5, 3.5);
    back.lineTo(7.5, 4.5);
    back.lineTo(14.5, 4.5);
    back.lineTo(14.5, 13.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(kYellow);
    if (open) {
        QPolygonF front({{3.5, 7.5}, {15.5, 7.5}, {13.5, 13.5}, {1.5, 13.5}});
        p.drawPolygon(front);
    } else {
        p.drawRect(Box(1, 6, 13, 7));
    }
}

// A box standing on one corner: a diamond with a lit upper half.
void Diamond(QPainter& p, const QColor& color) {
    QPolygonF shape({{8, 1.5}, {14.5, 8}, {8, 14.5}, {1.5, 8}});
    p.setPen(Outline(color.darker(170)));
    p.setBrush(color);
    p.drawPolygon(shape);
    p.setPen(Qt::NoPen);
    p.setBrush(color.lighter(135));
    p.drawPolygon(QPolygonF({{8, 2.8}, {13.2, 8}, {8, 8}, {2.8, 8}}));
}

void SmallCross(QPainter& p) {
    p.setPen(QPen(kRed, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10.5, 10.5), QPointF(14.5, 14.5));
    p.drawLine(QPointF(14.5, 10.5), QPointF(10.5, 14.5));
}

void Panel(QPainter& p) {
    p.setPen(Outline(kYellowDark.darker(130)));
    p.setBrush(kYellow);
    p.drawRect(Box(3, 2, 10, 12));
    p.setPen(Outline(kYellowDark));
    for (int y = 5; y <= 11; y += 3)
        p.drawLine(QPointF(5.5, y + 0.5), QPointF(10.5, y + 0.5));
}

void Arrowhead(QPainter& p, double tipX, double y, bool right) {
    const double back = right ? tipX - 3 : tipX + 3;
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawPolygon(QPolygonF({{tipX, y}, {back, y - 3}, {back, y + 3}}));
}

void Arrow(QPainter& p, bool right) {
    p.setPen(QPen(kRed, 2.0, Qt::SolidLine, Qt::FlatCap));
    const double from = right ? 1 : 15;
    const double to = right ? 10.5 : 5.5;
    p.drawLine(QPointF(from, 8.5), QPointF(to, 8.5));
    Arrowhead(p, right ? 15.5 : 0.5, 8.5, right);
}

void Cabinet(QPainter& p) {
    p.setPen(Outline());
    p.setBrush(kGrey);
    p.drawRect(Box(2, 4, 11, 10));
    p.setBrush(QColor(50, 100, 200));
    p.drawRect(Box(1, 1, 13, 3));
    p.setBrush(kGreyDark);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(6, 6.5, 4, 1.5));
    p.drawRect(QRectF(6, 10.5, 4, 1.5));
    p.setPen(Outline(kGreyDark));
    p.drawLine(QPointF(2.5, 9.5), QPointF(13.5, 9.5));
}

}  // namespace

QImage LibraryStrip(int scale) {
    const std::vector<Cell> cells = {
        Cabinet,
        [](QPainter& p) { Folder(p, false); },
        [](QPainter& p) { Folder(p, true); },
        [](QPainter& p) { Diamond(p, kYellow); },
        [](QPainter& p) { Diamond(p, kGrey); },
        [](QPainter& p) {
            Diamond(p, kGrey);
            SmallCross(p);
        },
        [](QPainter& p) {
            Diamond(p, QColor(70, 70, 80));
            SmallCross(p);
        },
    };
    return DrawStrip(cells, 16, 16, scale);
}

QImage InfoStrip(int scale) {
    const std::vector<Cell> cells = {
        [](QPainter& p) {
            Panel(p);
            Arrowhead(p, 0.5, 8.5, false);
            Arrowhead(p, 15.5, 8.5, true);
        },
        [](QPainter& p) { Folder(p, false); },
        [](QPainter& p) { Folder(p, true); },
        [](QPainter& p) { Diamond(p, kRed); },
        [](QPainter& p) { Diamond(p, QColor(40, 170, 60)); },
        [](QPainter& p) { Diamond(p, QColor(200, 50, 190)); },
        [](QPainter& p) { Diamond(p, QColor(50, 90, 210)); },
        [](QPainter& p) {
            Panel(p);
            Arrow(p, true);
        },
        [](QPainter& p) {
            Panel(p);
            Arrow(p, false);
        },
    };
    return DrawStrip(cells, 16, 16, scale);
}

namespace {

void Wand(QPainter& p) {
    p.setPen(QPen(kOutline, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(2, 13), QPointF(9, 6));
    p.setPen(QPen(QColor(240, 180, 0), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12, 1), QPointF(12, 7));
    p.drawLine(QPointF(9, 4), QPointF(15, 4));
    p.drawLine(QPointF(10, 2), QPointF(14, 6));
    p.drawLine(QPointF(14, 2), QPointF(10, 6));
}

void Explorer(QPainter& p) {
    Folder(p, false);
    p.setPen(QPen(QColor(30, 90, 200), 1.6));
    p.setBrush(QColor(255, 255, 255, 170));
    p.drawEllipse(QPointF(9.5, 8.5), 3, 3);
    p.drawLine(QPointF(11.7, 10.7), QPointF(14.5, 13.5));
}

void Pencil(QPainter& p) {
    p.setPen(Outline());
    p.setBrush(Qt::white);
    p.drawRect(Box(1, 1, 10, 13));
    p.setPen(QPen(QColor(30, 90, 200), 3.0, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(14.5, 3), QPointF(6.5, 11));
    p.setPen(Qt::NoPen);
    p.setBrush(kOutline);
    p.drawPolygon(QPolygonF({{4, 14}, {5.2, 10.4}, {7.6, 12.8}}));
}

void PanelWithSign(QPainter& p, const QColor& color, bool plus) {
    Panel(p);
    p.setPen(QPen(color, 2.5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(8, 10.5), QPointF(15, 10.5));
    if (plus)
        p.drawLine(QPointF(11.5, 7), QPointF(11.5, 14));
}

void Field(QPainter& p) {
    p.setPen(Outline());
    p.setBrush(Qt::white);
    p.drawRect(Box(0, 4, 15, 7));
    p.setPen(QPen(kOutline, 1.0));
    p.drawLine(QPointF(3, 6), QPointF(3, 10));  // text cursor
    p.drawLine(QPointF(2, 5.5), QPointF(4, 5.5));
    p.drawLine(QPointF(2, 10.5), QPointF(4, 10.5));
    p.setPen(QPen(kRed, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6, 13.5), QPointF(12, 13.5));
}

void Question(QPainter& p) {
    p.setPen(Outline(QColor(20, 60, 150)));
    p.setBrush(QColor(50, 110, 220));
    p.drawEllipse(QRectF(0.5, 0, 14, 14));
    QFont font;
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0.5, 0, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
}

}  // namespace

QImage ToolbarStrip(int scale) {
    const std::vector<Cell> cells = {
        Wand,
        Explorer,
        Pencil,
        [](QPainter& p) { PanelWithSign(p, QColor(30, 150, 50), true); },
        [](QPainter& p) { PanelWithSign(p, kRed, false); },
        Field,
        Question,
    };
    return DrawStrip(cells, 16, 15, scale);
}

QImage ApplicationIcon(int size, int scale) {
    QImage image = Blank(size, size, scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale * size / 16.0, scale * size / 16.0);
    Cabinet(p);
    p.translate(5, 5);
    p.scale(0.7, 0.7);
    Diamond(p, kYellow);
    return image;
}

}  // namespace art
