#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyle>
#include <QWidgetAction>
#include <memory>

#include "MenuFixture.h"
#include "resources/CommandIds.h"
#include "uisupport/MenuMessage.h"

namespace {
void Type(QMenu* pMenu, char ch) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A + (ch - 'a'), Qt::NoModifier, QString(QChar(ch)));
    QApplication::sendEvent(pMenu, &press);
}
}  // namespace

using CoolMenuBehaviour = MenuFixture;

TEST_F(CoolMenuBehaviour, toolbarButtonsGiveTheirCommandsImagesInOrder) {
    EXPECT_EQ(m_manager.GetImageSize(), QSize(16, 15));
    EXPECT_EQ(m_manager.GetImages().size(), 7u);
    const int order[] = {cmd::kCodeWizard,   cmd::kLaunchExplorer,  cmd::kModify,
                         cmd::kAddParameter, cmd::kDeleteParameter, cmd::kEditField,
                         cmd::kAppAbout};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(m_manager.GetCommandImage(order[i]), i);
        EXPECT_EQ(m_manager.GetImages()[i].pixelColor(5, 5), ImageColor(order[i]));
    }
    EXPECT_EQ(m_manager.GetCommandImage(cmd::kRename), -1);
}

TEST_F(CoolMenuBehaviour, secondToolbarOfSameSizeAppendsAndFirstImageWins) {
    m_manager.SetToolbarSource(200, [] {
        CToolbarResource toolbar;
        toolbar.sizeImage = QSize(16, 15);
        toolbar.commands = {cmd::kModify, 0, 40001};
        toolbar.images = {SolidIcon(Qt::red), SolidIcon(Qt::green)};
        return toolbar;
    });
    m_manager.SetToolbarSource(300, [] {
        CToolbarResource toolbar;
        toolbar.sizeImage = QSize(24, 24);
        toolbar.commands = {40002};
        toolbar.images = {SolidIcon(Qt::blue, QSize(24, 24))};
        return toolbar;
    });

    EXPECT_TRUE(m_manager.LoadToolbar(200));
    EXPECT_EQ(m_manager.GetCommandImage(cmd::kModify), 2);  // kept from toolbar 128
    EXPECT_EQ(m_manager.GetCommandImage(40001), 8);
    EXPECT_EQ(m_manager.GetImages().size(), 9u);

    EXPECT_FALSE(m_manager.LoadToolbar(300));
    EXPECT_FALSE(m_manager.LoadToolbar(999));  // unknown
    EXPECT_EQ(m_manager.GetCommandImage(40002), -1);
    EXPECT_EQ(m_manager.GetImages().size(), 9u);
    EXPECT_EQ(m_manager.GetToolbarIds(), (std::vector<unsigned>{128, 200}));
    EXPECT_EQ(m_manager.GetButtonSize(), QSize(20, 19));
}

TEST_F(CoolMenuBehaviour, paletteChangeReloadsImagesInNewColours) {
    // Standard black and light grey become the button text colour and transparency.
    m_manager.SetToolbarSource(400, [] {
        QPixmap pixmap(16, 15);
        pixmap.fill(QColor(0xC0, 0xC0, 0xC0));
        QPainter painter(&pixmap);
        painter.fillRect(4, 4, 8, 7, Qt::black);
        painter.end();
        CToolbarResource toolbar;
        toolbar.sizeImage = QSize(16, 15);
        toolbar.commands = {40003};
        toolbar.images = {QIcon(pixmap)};
        return toolbar;
    });
    ASSERT_TRUE(m_manager.LoadToolbar(400));
    const int nImage = m_manager.GetCommandImage(40003);
    EXPECT_EQ(m_manager.GetImages()[nImage].pixelColor(6, 6), QColor(Qt::black));
    EXPECT_EQ(m_manager.GetImages()[nImage].pixel(0, 0), 0u);

    QPalette palette = TestPalette();
    palette.setColor(QPalette::ButtonText, QColor(10, 120, 30));
    SetPalette(palette);

    EXPECT_EQ(m_manager.GetToolbarIds(), (std::vector<unsigned>{128, 400}));
    EXPECT_EQ(m_manager.GetImages()[m_manager.GetCommandImage(40003)].pixelColor(6, 6),
              QColor(10, 120, 30));
}

TEST_F(CoolMenuBehaviour, mnemonicWithOneMatchExecutesIt) {
    Open(m_pParameter);
    int nTriggered = 0;
    QObject::connect(Action(cmd::kDeleteParameter), &QAction::triggered, [&] { ++nTriggered; });
    EXPECT_EQ(m_manager.OnMenuChar(QChar('d'), m_pParameter).nAction, kMenuCharExecute);
    EXPECT_EQ(m_manager.OnMenuChar(QChar('D'), m_pParameter).nPosition, 1);
    EXPECT_EQ(m_manager.OnMenuChar(QChar('z'), m_pParameter).nAction, 0);

    Type(m_pParameter, 'd');
    EXPECT_EQ(nTriggered, 1);
    EXPECT_FALSE(m_pParameter->isVisible());
    EXPECT_TRUE(m_manager.GetConvertedMenus().empty());
}

TEST_F(CoolMenuBehaviour, mnemonicWithSeveralMatchesMovesTheHighlight) {
    QAction* pAgain = m_pParameter->addAction(QStringLiteral("&Again"));
    int nTriggered = 0;
    QObject::connect(Action(cmd::kAddParameter), &QAction::triggered, [&] { ++nTriggered; });
    Open(m_pParameter);

    const CMenuCharResult first = m_manager.OnMenuChar(QChar('a'), m_pParameter);
    EXPECT_EQ(first.nAction, kMenuCharSelect);
    EXPECT_EQ(first.nPosition, 0);

    Type(m_pParameter, 'a');
    EXPECT_EQ(m_pParameter->activeAction(), Action(cmd::kAddParameter));
    Type(m_pParameter, 'a');
    EXPECT_EQ(m_pParameter->activeAction(), pAgain);
    Type(m_pParameter, 'A');  // wraps to the first
    EXPECT_EQ(m_pParameter->activeAction(), Action(cmd::kAddParameter));
    EXPECT_EQ(nTriggered, 0);
    EXPECT_TRUE(m_pParameter->isVisible());
}

TEST_F(CoolMenuBehaviour, itemsDrawnByOthersAreLeftAlone) {
    auto* pWidgetAction = new QWidgetAction(m_pParameter);
    pWidgetAction->setDefaultWidget(new QLabel(QStringLiteral("&Zoom")));
    m_pParameter->addAction(pWidgetAction);
    Open(m_pParameter);
    EXPECT_EQ(m_manager.GetItemData(m_pParameter, pWidgetAction), nullptr);
    EXPECT_NE(m_manager.GetItemData(m_pParameter, Action(cmd::kEditField)), nullptr);
    EXPECT_EQ(m_manager.OnMenuChar(QChar('z'), m_pParameter).nAction, 0);
}

TEST_F(CoolMenuBehaviour, contextMenusInsideTheWindowAreTakenOverOthersNot) {
    auto* pPane = new QLabel(&m_frame);
    auto* pContext = new QMenu(pPane);
    pContext->addAction(Action(cmd::kModify));
    QMenu stray;
    stray.addAction(Action(cmd::kModify));

    Open(pContext);
    EXPECT_NE(m_manager.GetItemData(pContext, Action(cmd::kModify)), nullptr);
    pContext->hide();
    Open(&stray);
    EXPECT_EQ(m_manager.GetItemData(&stray, Action(cmd::kModify)), nullptr);
    EXPECT_EQ(stray.style(), QApplication::style());
    stray.hide();
}

TEST_F(CoolMenuBehaviour, showButtonsOffLeavesMenusPlain) {
    m_manager.m_bShowButtons = false;
    Open(m_pParameter);
    EXPECT_TRUE(m_manager.GetConvertedMenus().empty());
    EXPECT_EQ(m_pParameter->style(), QApplication::style());
}

TEST_F(CoolMenuBehaviour, managerGoingAwayWhileMenuIsOpenGivesTheMenuBack) {
    QMainWindow frame;
    QMenu* pMenu = frame.menuBar()->addMenu(QStringLiteral("&File"));
    pMenu->addAction(QStringLiteral("E&xit"));
    {
        CCoolMenuManager manager;
        manager.Install(&frame);
        pMenu->popup(QPoint(0, 0));
        EXPECT_NE(pMenu->style(), QApplication::style());
    }
    EXPECT_EQ(pMenu->style(), QApplication::style());
    pMenu->grab();  // still paints with the manager gone
    pMenu->hide();
}

TEST_F(CoolMenuBehaviour, styleChangeReloadsImagesAndMenusStillDraw) {
    // The manager keeps the source past this body (TearDown's palette change reloads it),
    // so the counter is owned by the source, not borrowed from this frame.
    auto pLoads = std::make_shared<int>(0);
    m_manager.SetToolbarSource(128, [pLoads, source = ToolbarSourceOf(m_pToolBar)] {
        ++*pLoads;
        return source();
    });
    const QString strOldStyle = QApplication::style()->name();
    QApplication::setStyle(QStringLiteral("Windows"));
    QCoreApplication::sendPostedEvents();
    EXPECT_GE(*pLoads, 1);
    EXPECT_EQ(m_manager.GetImages().size(), 7u);
    EXPECT_EQ(m_manager.GetCommandImage(cmd::kEditField), 5);

    const QImage image = Open(m_pParameter);
    const QPoint pos = ButtonBox(m_pParameter, Action(cmd::kEditField)).topLeft() + QPoint(2, 2);
    EXPECT_EQ(image.pixelColor(pos + QPoint(1, 1)), ImageColor(cmd::kEditField));
    m_pParameter->hide();

    QApplication::setStyle(strOldStyle);
    QCoreApplication::sendPostedEvents();
}

TEST_F(CoolMenuBehaviour, managerGoingAwayAfterAnOpenMenuWasDeletedGivesTheRestBack) {
    QMainWindow frame;
    QMenu* pFile = frame.menuBar()->addMenu(QStringLiteral("&File"));
    pFile->addAction(QStringLiteral("E&xit"));
    auto* pContext = new QMenu(&frame);
    pContext->addAction(QStringLiteral("&Copy"));
    {
        CCoolMenuManager manager;
        manager.Install(&frame);
        pFile->popup(QPoint(0, 0));
        pContext->popup(QPoint(50, 0));
        ASSERT_EQ(manager.GetConvertedMenus().size(), 2u);
        delete pContext;  // while the other menu is still open
    }
    EXPECT_EQ(pFile->style(), QApplication::style());
    pFile->hide();
}
