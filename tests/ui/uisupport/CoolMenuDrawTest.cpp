#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFontMetrics>
#include <QMenu>
#include <cstdlib>

#include "MenuFixture.h"
#include "resources/CommandIds.h"

namespace {
// Number of pixels of the colour inside the rectangle.
int CountColor(const QImage& image, const QRect& rc, const QColor& color) {
    int nCount = 0;
    const QRect rcClipped = rc.intersected(image.rect());
    for (int y = rcClipped.top(); y <= rcClipped.bottom(); ++y)
        for (int x = rcClipped.left(); x <= rcClipped.right(); ++x)
            if (image.pixelColor(x, y).rgb() == color.rgb())
                ++nCount;
    return nCount;
}

// Number of pixels close to the colour: text is smoothed at its edges.
int CountNear(const QImage& image, const QRect& rc, const QColor& color) {
    constexpr int kTolerance = 40;
    int nCount = 0;
    const QRect rcClipped = rc.intersected(image.rect());
    for (int y = rcClipped.top(); y <= rcClipped.bottom(); ++y) {
        for (int x = rcClipped.left(); x <= rcClipped.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - color.red()) + std::abs(pixel.green() - color.green()) +
                    std::abs(pixel.blue() - color.blue()) <=
                kTolerance)
                ++nCount;
        }
    }
    return nCount;
}

QColor At(const QImage& image, QPoint pt) {
    return image.pixelColor(pt);
}

// The text area of an item: after the button box and a gap, up to one button width from
// the right.
QRect TextArea(const QRect& rcItem, QSize button) {
    return rcItem.adjusted(button.width() + 2, 0, -button.width(), 0);
}
}  // namespace

using CoolMenuDraw = MenuFixture;

TEST_F(CoolMenuDraw, parameterPopupShowsImagesBesideCommandsAndEtchedSeparator) {
    const QImage image = Open(m_pParameter);
    const QSize button = m_manager.GetButtonSize();
    ASSERT_EQ(button, QSize(20, 19));

    for (int nCommand : {cmd::kAddParameter, cmd::kDeleteParameter, cmd::kEditField}) {
        const QRect rcBox = ButtonBox(m_pParameter, Action(nCommand));
        const QPoint pos = rcBox.topLeft() + QPoint(2, 2);  // image centred in the box
        // The icon has a transparent border, so its colour starts one pixel in.
        EXPECT_EQ(At(image, pos), colors::kMenu) << nCommand;
        EXPECT_EQ(At(image, pos + QPoint(1, 1)), ImageColor(nCommand)) << nCommand;
        EXPECT_EQ(At(image, pos + QPoint(14, 13)), ImageColor(nCommand)) << nCommand;
        EXPECT_EQ(At(image, pos + QPoint(15, 14)), colors::kMenu) << nCommand;
    }

    QAction* pSeparator = m_pParameter->actions().at(2);
    ASSERT_TRUE(pSeparator->isSeparator());
    const QRect rcSep = m_pParameter->actionGeometry(pSeparator);
    const int yMid = rcSep.top() + rcSep.height() / 2;
    const int nWidth = rcSep.width();
    EXPECT_EQ(CountColor(image, QRect(rcSep.left(), yMid, nWidth, 1), colors::kDark), nWidth);
    EXPECT_EQ(CountColor(image, QRect(rcSep.left(), yMid + 1, nWidth, 1), colors::kLight), nWidth);
    EXPECT_EQ(CountColor(image, QRect(rcSep.left(), rcSep.top(), nWidth, rcSep.height() / 2),
                         colors::kMenu),
              nWidth * (rcSep.height() / 2));
}

TEST_F(CoolMenuDraw, itemsAreMeasuredFromTextAndButtonWidth) {
    Open(m_pParameter);
    const int nRow = m_manager.MenuRowHeight();
    const QFontMetrics metrics(m_manager.MenuFont());
    int nWidest = 0;
    for (int nCommand : {cmd::kAddParameter, cmd::kDeleteParameter, cmd::kEditField}) {
        const QString strText = Action(nCommand)->text();
        const QSize sizeText = metrics.size(Qt::TextSingleLine | Qt::TextShowMnemonic, strText);
        nWidest = std::max(nWidest, sizeText.width() + 2 * 20 + 5);
        EXPECT_EQ(m_pParameter->actionGeometry(Action(nCommand)).height(),
                  std::max(nRow, sizeText.height()));
    }
    EXPECT_EQ(m_pParameter->actionGeometry(m_pParameter->actions().at(2)).height(), nRow / 2);
    for (QAction* pAction : m_pParameter->actions())
        EXPECT_EQ(m_pParameter->actionGeometry(pAction).width(), nWidest);
}

TEST_F(CoolMenuDraw, closingTheMenuGivesItBackUnchanged) {
    const QString strBefore = Action(cmd::kAddParameter)->text();
    m_pDbms->popup(QPoint(0, 0));
    m_pFunction->popup(QPoint(40, 0));
    m_pParameter->popup(QPoint(80, 0));
    EXPECT_EQ(m_manager.GetConvertedMenus(),
              (std::vector<QMenu*>{m_pParameter, m_pFunction, m_pDbms}));
    EXPECT_NE(m_pParameter->style(), QApplication::style());

    // The submenu closing alone keeps the others taken over.
    m_pParameter->hide();
    EXPECT_EQ(m_manager.GetConvertedMenus().size(), 3u);
    m_pFunction->hide();
    m_pDbms->hide();

    EXPECT_TRUE(m_manager.GetConvertedMenus().empty());
    for (QMenu* pMenu : {m_pDbms, m_pFunction, m_pParameter}) {
        EXPECT_EQ(pMenu->style(), QApplication::style());
        EXPECT_EQ(m_manager.GetItemData(pMenu, pMenu->actions().front()), nullptr);
    }
    EXPECT_EQ(Action(cmd::kAddParameter)->text(), strBefore);
    EXPECT_FALSE(Action(cmd::kAddParameter)->isIconVisibleInMenu());
}

TEST_F(CoolMenuDraw, disabledItemShowsEmbossedImageAndGreyTextWithHighlightCopy) {
    Action(cmd::kDeleteParameter)->setEnabled(false);
    const QImage image = Open(m_pParameter);
    const QPoint pos =
        ButtonBox(m_pParameter, Action(cmd::kDeleteParameter)).topLeft() + QPoint(2, 2);
    // Shape pixels run from (1,1) to (14,13) of the image.
    EXPECT_EQ(At(image, pos + QPoint(1, 1)), colors::kDark);
    EXPECT_EQ(At(image, pos + QPoint(14, 13)), colors::kDark);
    EXPECT_EQ(At(image, pos + QPoint(15, 14)), colors::kLight);
    EXPECT_EQ(At(image, pos + QPoint(15, 2)), colors::kLight);
    EXPECT_EQ(CountColor(image, QRect(pos, QSize(17, 16)), ImageColor(cmd::kDeleteParameter)), 0);

    const QRect rcText = TextArea(m_pParameter->actionGeometry(Action(cmd::kDeleteParameter)),
                                  m_manager.GetButtonSize());
    EXPECT_GT(CountColor(image, rcText, colors::kGrayText), 10);
    EXPECT_GT(CountColor(image, rcText, colors::kLight), 10);
    EXPECT_EQ(CountColor(image, rcText, colors::kMenuText), 0);
}

TEST_F(CoolMenuDraw, selectedDisabledItemGetsHighlightCopyOnlyWhenGreyEqualsHighlight) {
    Action(cmd::kDeleteParameter)->setEnabled(false);
    Open(m_pParameter);
    m_pParameter->setActiveAction(Action(cmd::kDeleteParameter));
    const QRect rcItem = m_pParameter->actionGeometry(Action(cmd::kDeleteParameter));
    const QRect rcText = TextArea(rcItem, m_manager.GetButtonSize());

    QImage image = Grab(m_pParameter);
    EXPECT_GT(CountColor(image, rcText, colors::kHighlight), 10);
    EXPECT_GT(CountColor(image, rcText, colors::kGrayText), 10);
    EXPECT_EQ(CountColor(image, rcText, colors::kLight), 0);

    QPalette palette = TestPalette();
    palette.setColor(QPalette::Disabled, QPalette::WindowText, colors::kHighlight);
    SetPalette(palette);
    image = Grab(m_pParameter);
    EXPECT_GT(CountColor(image, rcText, colors::kLight), 10);
}

TEST_F(CoolMenuDraw, selectedItemHasRaisedButtonAndHighlightAfterIt) {
    Open(m_pParameter);
    m_pParameter->setActiveAction(Action(cmd::kEditField));
    const QImage image = Grab(m_pParameter);
    const QRect rcBox = ButtonBox(m_pParameter, Action(cmd::kEditField));
    const QRect rcItem = m_pParameter->actionGeometry(Action(cmd::kEditField));

    EXPECT_EQ(At(image, rcBox.topLeft()), colors::kLight);
    EXPECT_EQ(At(image, rcBox.bottomRight()), colors::kDark);
    EXPECT_EQ(At(image, rcBox.topLeft() + QPoint(1, 1)), colors::kMenu);
    EXPECT_EQ(At(image, QPoint(rcBox.right() + 1, rcItem.top())), colors::kHighlight);
    EXPECT_EQ(At(image, QPoint(rcItem.right(), rcItem.bottom())), colors::kHighlight);
    const QRect rcText = TextArea(rcItem, m_manager.GetButtonSize());
    EXPECT_GT(CountNear(image, rcText, colors::kHighlightText), 10);
}

TEST_F(CoolMenuDraw, checkedItemWithImageSitsInSunkenLightBox) {
    Action(cmd::kAddParameter)->setCheckable(true);
    Action(cmd::kAddParameter)->setChecked(true);
    QImage image = Open(m_pParameter);
    const QRect rcBox = ButtonBox(m_pParameter, Action(cmd::kAddParameter));
    EXPECT_EQ(At(image, rcBox.topLeft()), colors::kDark);
    EXPECT_EQ(At(image, rcBox.bottomRight()), colors::kLight);
    EXPECT_EQ(At(image, rcBox.topLeft() + QPoint(1, 1)), colors::kMidlight);
    EXPECT_EQ(At(image, rcBox.topLeft() + QPoint(3, 3)), ImageColor(cmd::kAddParameter));

    m_pParameter->setActiveAction(Action(cmd::kAddParameter));
    image = Grab(m_pParameter);
    EXPECT_EQ(At(image, rcBox.topLeft()), colors::kDark);
    EXPECT_EQ(At(image, rcBox.topLeft() + QPoint(1, 1)), colors::kMenu);
}

TEST_F(CoolMenuDraw, checkedItemsWithoutImageShowCheckMarkOrRadioDotInSunkenBox) {
    QMenu* pView = m_pDbms->addMenu(QStringLiteral("&View"));
    QAction* pCheck = pView->addAction(QStringLiteral("&Grid"));
    pCheck->setCheckable(true);
    pCheck->setChecked(true);
    QAction* pUnchecked = pView->addAction(QStringLiteral("&Rulers"));
    pUnchecked->setCheckable(true);
    auto* pGroup = new QActionGroup(pView);
    QAction* pRadio = pView->addAction(QStringLiteral("&Large"));
    pRadio->setCheckable(true);
    pRadio->setActionGroup(pGroup);
    pRadio->setChecked(true);

    const QImage image = Open(pView);
    const int nMark = m_manager.CheckMarkSize();
    for (QAction* pAction : {pCheck, pRadio}) {
        const QRect rcBox = ButtonBox(pView, pAction);
        const QRect rcMark(rcBox.left() + (rcBox.width() - nMark) / 2,
                           rcBox.top() + (rcBox.height() - nMark) / 2, nMark, nMark);
        const QRect rcEdge = rcMark.adjusted(-1, -1, 1, 1);
        EXPECT_EQ(At(image, rcEdge.topLeft()), colors::kDark);
        EXPECT_EQ(At(image, rcEdge.bottomRight()), colors::kLight);
        EXPECT_EQ(At(image, rcMark.topLeft()), colors::kMidlight);
        EXPECT_GT(CountColor(image, rcMark, colors::kMenuText), 4);
    }
    // The radio dot is small and in the middle.
    const QRect rcRadio = ButtonBox(pView, pRadio);
    EXPECT_LE(CountColor(image, rcRadio, colors::kMenuText), 16);
    EXPECT_EQ(At(image, rcRadio.center() + QPoint(0, 0)), colors::kMenuText);
    // Unchecked without image: nothing in the button box.
    const QRect rcEmpty = ButtonBox(pView, pUnchecked);
    EXPECT_EQ(CountColor(image, rcEmpty, colors::kMenu), rcEmpty.width() * rcEmpty.height());
}

TEST_F(CoolMenuDraw, acceleratorTextIsRightAlignedOnlyWhenSwitchedOn) {
    m_manager.SetAcceleratorSource([] {
        return CAccelTable{
            {kAccelVirtKey | kAccelControl, AccelKey(Qt::Key_N).value(), cmd::kAddParameter}};
    });
    Open(m_pParameter);
    const CMenuItemData* pItem = m_manager.GetItemData(m_pParameter, Action(cmd::kAddParameter));
    ASSERT_NE(pItem, nullptr);
    EXPECT_EQ(pItem->strText, QStringLiteral("&Add Parameter..."));
    m_pParameter->hide();

    m_manager.m_bAutoAccel = true;
    const QImage image = Open(m_pParameter);
    pItem = m_manager.GetItemData(m_pParameter, Action(cmd::kAddParameter));
    ASSERT_NE(pItem, nullptr);
    EXPECT_EQ(pItem->strText, QStringLiteral("&Add Parameter...\tCtrl+N"));
    // The key text ends at the right of the text area.
    const QRect rcItem = m_pParameter->actionGeometry(Action(cmd::kAddParameter));
    const QRect rcText = TextArea(rcItem, m_manager.GetButtonSize());
    const int nKeyWidth = QFontMetrics(m_manager.MenuFont()).horizontalAdvance("Ctrl+N");
    EXPECT_GT(CountNear(image,
                        QRect(rcText.right() - nKeyWidth, rcItem.top(), nKeyWidth, rcItem.height()),
                        colors::kMenuText),
              10);
    EXPECT_EQ(Action(cmd::kAddParameter)->text(), QStringLiteral("&Add Parameter..."));
}
