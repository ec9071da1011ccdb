#pragma once

#include <QIcon>

// The program's images, loaded once from the resource file and kept for the whole run.
// Each image exists at 1x and 2x so it stays crisp on high-density screens.
namespace icons {

// A cell of strip 131: the library tree and the group listing (infoview/IconCells.h libicon).
const QIcon& Library(int cell);
// A cell of strip 132: the information tree (infoview/IconCells.h infoicon).
const QIcon& Info(int cell);
// The toolbar image of a command id; an empty icon for a command without one.
const QIcon& Toolbar(int commandId);
// The application icon.
const QIcon& Application();

// A tree item icon whose selected look is another cell (closed folder / open folder).
const QIcon& LibraryPair(int normal, int selected);
const QIcon& InfoPair(int normal, int selected);

}  // namespace icons
