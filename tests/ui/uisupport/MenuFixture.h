#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QMainWindow>
#include <QPalette>
#include <map>

#include "uisupport/CoolMenuManager.h"

class QAction;
class QMenu;
class QToolBar;

// Colours chosen so each role can be told apart in a rendered picture.
namespace colors {
inline const QColor kMenu(210, 210, 210);      // Window
inline const QColor kMenuText(0, 0, 0);        // WindowText
inline const QColor kGrayText(130, 130, 130);  // disabled WindowText
inline const QColor kHighlight(0, 0, 160);     // Highlight
inline const QColor kHighlightText(250, 250, 250);
inline const QColor kLight(255, 255, 200);     // button highlight
inline const QColor kDark(90, 90, 90);         // button shadow
inline const QColor kMidlight(230, 220, 170);  // 3D light
inline const QColor kFace(190, 190, 190);      // button face, the images' transparent colour
inline const QColor kShadow(20, 20, 20);       // the darkest shadow
}  // namespace colors

QPalette TestPalette();
// Sets the application palette and lets every widget take it.
void SetPalette(const QPalette& palette);
// A solid image of the given colour with a transparent one-pixel border.
QIcon SolidIcon(const QColor& color, QSize size = QSize(16, 15));

// A main window like the program's: "&DBMS" > "Function" > "&Parameter Management" with
// Add, Delete, a separator and Edit Field, a toolbar 128 whose buttons carry the images,
// and the menu manager installed as the main window does it.
class MenuFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Pops the menu up (offscreen) and returns its picture.
    QImage Open(QMenu* pMenu);
    QImage Grab(QMenu* pMenu);
    QAction* Action(int nCommand) { return m_actions.at(nCommand); }
    // The button box of an item of an open menu, in menu coordinates.
    QRect ButtonBox(QMenu* pMenu, QAction* pAction) const;
    QColor ImageColor(int nCommand) const { return m_iconColors.at(nCommand); }

    QPalette m_oldPalette;
    QMainWindow m_frame;
    QToolBar* m_pToolBar = nullptr;
    QMenu* m_pDbms = nullptr;
    QMenu* m_pFunction = nullptr;
    QMenu* m_pParameter = nullptr;
    std::map<int, QAction*> m_actions;
    std::map<int, QColor> m_iconColors;
    CCoolMenuManager m_manager;
};
