#pragma once

#include <QImage>

class QPainter;

// The program's artwork, drawn with vector shapes on a 16-unit grid so that it renders
// crisply at any scale. Used by the kelvane_draw_icons tool that writes the PNG files.
namespace art {

// Strip 131 (7 cells) or 132 (9 cells), 16 x 16 units per cell, at scale 1 or 2.
QImage LibraryStrip(int scale);
QImage InfoStrip(int scale);
// The seven toolbar images, 16 x 15 units each, in toolbar order.
QImage ToolbarStrip(int scale);
// The application icon, size x size units.
QImage ApplicationIcon(int size, int scale);
// Paints the application icon on the 16 x 16 unit grid of p.
void PaintApplicationIcon(QPainter& p);

}  // namespace art
