#include "resources/IconArt.h"

#include <QPainter>
#include <QPainterPath>
#include <functional>
#include <utility>
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

// Toolbar pictures are outlines around white interiors: disabled menu items emboss an
// image from its non-white pixels, so a filled shape would come out as a plain block.
namespace {

const QColor kInk(50, 50, 50);
const QColor kFolderLine(150, 105, 20);
const QColor kBlue(30, 90, 200);
const QColor kGreen(30, 150, 50);
const QColor kSpark(230, 150, 0);

// One-unit lines on pixel centres; a rectangle of them covers whole pixels.
void HLine(QPainter& p, double x0, double x1, double y, const QColor& color) {
    p.fillRect(QRectF(x0, y, x1 - x0 + 1, 1), color);
}
void VLine(QPainter& p, double x, double y0, double y1, const QColor& color) {
    p.fillRect(QRectF(x, y0, 1, y1 - y0 + 1), color);
}

// A white card with an outline: the parameter record of Add and Delete Parameter.
void Card(QPainter& p) {
    p.setPen(Outline(kInk));
    p.setBrush(Qt::white);
    p.drawRect(Box(1, 0, 10, 12));
    for (int y : {3, 6, 9})
        HLine(p, 3, y == 9 ? 5 : 8, y, kYellowDark);
}

void Wand(QPainter& p) {
    p.setPen(QPen(kInk, 2.0, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(1.5, 13.5), QPointF(8.5, 6.5));
    p.setPen(QPen(Qt::white, 1.0));
    p.drawLine(QPointF(7.6, 7.4), QPointF(9.0, 6.0));  // the lit tip
    VLine(p, 12, 0, 7, kSpark);
    HLine(p, 9, 15, 4, kSpark);
    for (const QPoint& dot : {QPoint(10, 2), QPoint(14, 2), QPoint(10, 6), QPoint(14, 6)})
        p.fillRect(QRect(dot, QSize(1, 1)), kSpark);
}

void Explorer(QPainter& p) {
    QPainterPath folder;
    folder.moveTo(0.5, 2.5);
    folder.lineTo(5.5, 2.5);
    folder.lineTo(6.5, 3.5);
    folder.lineTo(13.5, 3.5);
    folder.lineTo(13.5, 12.5);
    folder.lineTo(0.5, 12.5);
    folder.closeSubpath();
    p.setPen(Outline(kFolderLine));
    p.setBrush(Qt::white);
    p.drawPath(folder);
    // A yellow band under the tab, then the edge of the front.
    HLine(p, 1, 5, 3, kYellow);
    HLine(p, 1, 13, 4, kYellow);
    HLine(p, 1, 13, 5, kYellow);
    HLine(p, 1, 13, 6, kFolderLine);
    // A magnifying glass over the folder's lower right.
    p.setPen(QPen(Qt::white, 3.0));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(9.5, 8.5), 3.0, 3.0);
    p.setPen(QPen(kBlue, 1.5));
    p.drawEllipse(QPointF(9.5, 8.5), 3.0, 3.0);
    p.setPen(QPen(kBlue, 2.0, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(11.8, 10.8), QPointF(15.5, 14.5));
}

void Pencil(QPainter& p) {
    p.setPen(Outline(kInk));
    p.setBrush(Qt::white);
    p.drawRect(Box(1, 0, 10, 13));
    for (int y : {3, 5, 7})
        HLine(p, 3, y == 7 ? 5 : 8, y, kGreyDark);
    p.setPen(QPen(Qt::white, 5.0, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(15, 2), QPointF(7.5, 9.5));
    p.setPen(QPen(kBlue, 3.0, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(15, 2), QPointF(7.5, 9.5));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({{4.5, 13.5}, {5.8, 9.8}, {8.2, 12.2}}));
}

void AddParameter(QPainter& p) {
    Card(p);
    // A plus, two pixels wide, with a white edge that keeps it apart from the card.
    for (const auto& [color, width] : {std::pair{QColor(Qt::white), 4.0}, std::pair{kGreen, 2.0}}) {
        p.setPen(QPen(color, width, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(12, 7), QPointF(12, 15));
        p.drawLine(QPointF(8, 11), QPointF(16, 11));
    }
}

void DeleteParameter(QPainter& p) {
    Card(p);
    // A cross of whole pixels, two wide, with a white edge around it.
    constexpr int kArm = 7;
    for (const auto& [color, grow] : {std::pair{QColor(Qt::white), 1}, std::pair{kRed, 0}}) {
        for (int i = 0; i < kArm; ++i) {
            p.fillRect(QRect(8 + i - grow, 7 + i - grow, 2 + 2 * grow, 1 + 2 * grow), color);
            p.fillRect(QRect(14 - i - grow, 7 + i - grow, 2 + 2 * grow, 1 + 2 * grow), color);
        }
    }
}

void Field(QPainter& p) {
    p.setPen(Outline(kInk));
    p.setBrush(Qt::white);
    p.drawRect(Box(0, 2, 15, 8));
    // A text cursor and the text before it.
    VLine(p, 10, 4, 8, kInk);
    HLine(p, 9, 11, 4, kInk);
    HLine(p, 9, 11, 8, kInk);
    for (int x : {2, 4, 6})
        VLine(p, x, 6, 7, kGreyDark);
    HLine(p, 3, 12, 12, kRed);
    HLine(p, 3, 12, 13, kRed);
}

void Question(QPainter& p) {
    p.setPen(QPen(kBlue, 1.5));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(0.75, 0.25, 14, 14));
    QPainterPath hook;
    hook.moveTo(5.0, 5.5);
    hook.cubicTo(5.0, 2.5, 10.5, 2.5, 10.5, 5.5);
    hook.cubicTo(10.5, 7.5, 8.0, 7.5, 8.0, 9.5);
    p.setPen(QPen(kBlue, 2.0, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(hook);
    p.fillRect(QRectF(7, 10.5, 2, 2), kBlue);
}

}  // namespace

QImage ToolbarStrip(int scale) {
    const std::vector<Cell> cells = {
        Wand, Explorer, Pencil, AddParameter, DeleteParameter, Field, Question,
    };
    return DrawStrip(cells, 16, 15, scale);
}

void PaintApplicationIcon(QPainter& p) {
    Cabinet(p);
    p.translate(5, 5);
    p.scale(0.7, 0.7);
    Diamond(p, kYellow);
}

QImage ApplicationIcon(int size, int scale) {
    QImage image = Blank(size, size, scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale * size / 16.0, scale * size / 16.0);
    PaintApplicationIcon(p);
    return image;
}

}  // namespace art
