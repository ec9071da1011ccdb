#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

class QColor;
class QPainter;
class QPalette;

// The drawing pieces of the menu look: 3D edges, the etched separator, embossed images,
// check and radio marks, item text. Colours come from the palette by role: the menu is
// Window, its text WindowText, the 3D light Midlight, the button highlight Light and the
// button shadow Dark.
namespace coolmenu {

// The menu's colours: one set for every item, whatever its state, as the state only picks
// which role an item uses (grey text comes from the disabled group).
QPalette MenuPalette(const QPalette& palette);
QColor GrayText(const QPalette& palette);

enum class Edge {
    kSunkenOuter,  // shadow at top and left, highlight at bottom and right
    kRaisedInner,  // highlight at top and left, shadow at bottom and right
    kRaisedOuter,  // 3D light at top and left, the darkest shadow at bottom and right
};

// One-pixel edge on all four sides of the rectangle.
void DrawEdge(QPainter& painter, const QRect& rc, Edge edge, const QPalette& palette);

// A shadow line at the vertical middle of the item and a highlight line below it.
void DrawEtchedSeparator(QPainter& painter, const QRect& rcItem, const QPalette& palette);

// The image's shape in the highlight colour one pixel right and down, then in the shadow
// colour at the position. The shape is every opaque pixel that is not white; in colour
// the image's own bits decide, pixel by pixel and bit by bit.
void DrawEmbossed(QPainter& painter, const QImage& image, QPoint pos, const QPalette& palette,
                  bool bColour);

// Marks as one-bit pictures: opaque black where the mark is, transparent elsewhere.
QImage StandardCheckMark(int nSize);
// A dot about 4 pixels across in the middle.
QImage RadioMark(int nSize);

// The mark centred in the box on the 3D-light colour (the menu colour when selected), in a
// sunken edge one pixel outside it; a mark as large as the box fills it with its centre.
void DrawCheckMark(QPainter& painter, const QRect& rcBox, bool bSelected, const QImage& mark,
                   const QPalette& palette);

// The text up to its first tab left-aligned, what follows the tab right-aligned, both
// single-line, vertically centred and with the mnemonic underlined.
void DrawItemText(QPainter& painter, const QRect& rcText, const QString& strText,
                  const QColor& color);

// The small triangle of an item that opens a submenu, centred in the given area.
void DrawSubmenuArrow(QPainter& painter, const QRect& rcArea, const QColor& color);

}  // namespace coolmenu
