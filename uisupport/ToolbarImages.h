#pragma once

#include <QIcon>
#include <QImage>
#include <QSize>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QPalette;
class QToolBar;

// A toolbar as the menus see it: the size of its images, its buttons' commands in order
// (0 is a separator, -1 a button without a command) and one image for each button that is
// not a separator.
struct CToolbarResource {
    QSize sizeImage;
    std::vector<int> commands;
    std::vector<QIcon> images;
};

// Gives a toolbar afresh each time it is asked, so images can be reloaded; nullopt when the
// toolbar is gone.
using ToolbarSource = std::function<std::optional<CToolbarResource>()>;

// The buttons of a QToolBar: each action's data is its command id, its icon the image, and
// the toolbar's icon size the image size.
ToolbarSource ToolbarSourceOf(QToolBar* pToolBar);

// Renders an image at the given size and puts the standard button colours into the
// palette's: black, dark grey, light grey and white become the button text, dark, button
// and light colours. Pixels of the button colour, and transparent ones, come out
// transparent.
QImage LoadSysColorImage(const QIcon& icon, QSize size, const QPalette& palette);
