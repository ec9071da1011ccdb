#pragma once

#include <QFontMetrics>
#include <QRect>
#include <QSize>

// Sizes given in dialog units, as dialog templates give them: a quarter of the font's
// average character width across, an eighth of its line height down.
class DialogUnits {
public:
    explicit DialogUnits(const QFontMetrics& metrics)
        : m_x(metrics.averageCharWidth()), m_y(metrics.height()) {}
    int X(int units) const { return (units * m_x + 2) / 4; }
    int Y(int units) const { return (units * m_y + 4) / 8; }
    QSize Size(int w, int h) const { return QSize(X(w), Y(h)); }
    QRect Rect(int x, int y, int w, int h) const { return QRect(X(x), Y(y), X(w), Y(h)); }

private:
    int m_x;
    int m_y;
};
