#include "MenuFixture.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QToolBar>

#include "resources/CommandIds.h"

QPalette TestPalette() {
    QPalette palette;
    palette.setColor(QPalette::Window, colors::kMenu);
    palette.setColor(QPalette::WindowText, colors::kMenuText);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, colors::kGrayText);
    palette.setColor(QPalette::Highlight, colors::kHighlight);
    palette.setColor(QPalette::HighlightedText, colors::kHighlightText);
    palette.setColor(QPalette::Light, colors::kLight);
    palette.setColor(QPalette::Dark, colors::kDark);
    palette.setColor(QPalette::Midlight, colors::kMidlight);
    palette.setColor(QPalette::Button, colors::kFace);
    palette.setColor(QPalette::ButtonText, Qt::black);
    palette.setColor(QPalette::Shadow, colors::kShadow);
    return palette;
}

QIcon SolidIcon(const QColor& color, QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.fillRect(QRect(QPoint(1, 1), size - QSize(2, 2)), color);
    painter.end();
    return QIcon(pixmap);
}

void MenuFixture::SetUp() {
    m_oldPalette = QApplication::palette();
    SetPalette(TestPalette());

    const int commands[] = {cmd::kCodeWizard,   cmd::kLaunchExplorer,  cmd::kModify,
                            cmd::kAddParameter, cmd::kDeleteParameter, cmd::kEditField,
                            cmd::kAppAbout};
    int nHue = 0;
    for (int nCommand : commands) {
        auto* pAction = new QAction(&m_frame);
        pAction->setData(nCommand);
        m_iconColors[nCommand] = QColor::fromHsv(nHue, 255, 200).toRgb();
        nHue += 45;
        pAction->setIcon(SolidIcon(m_iconColors[nCommand]));
        pAction->setIconVisibleInMenu(false);
        m_actions[nCommand] = pAction;
    }
    Action(cmd::kAddParameter)->setText(QStringLiteral("&Add Parameter..."));
    Action(cmd::kDeleteParameter)->setText(QStringLiteral("&Delete Parameter"));
    Action(cmd::kEditField)->setText(QStringLiteral("&Edit Field..."));
    Action(cmd::kModify)->setText(QStringLiteral("&Modify"));

    m_pDbms = m_frame.menuBar()->addMenu(QStringLiteral("&DBMS"));
    m_pFunction = m_pDbms->addMenu(QStringLiteral("Function"));
    m_pParameter = m_pFunction->addMenu(QStringLiteral("&Parameter Management"));
    m_pParameter->addAction(Action(cmd::kAddParameter));
    m_pParameter->addAction(Action(cmd::kDeleteParameter));
    m_pParameter->addSeparator();
    m_pParameter->addAction(Action(cmd::kEditField));
    m_pFunction->addSeparator();
    m_pFunction->addAction(Action(cmd::kModify));

    m_pToolBar = m_frame.addToolBar(QStringLiteral("Standard"));
    m_pToolBar->setIconSize(QSize(16, 15));
    const int layout[] = {
        cmd::kCodeWizard,      cmd::kLaunchExplorer, 0, cmd::kModify,  0, cmd::kAddParameter,
        cmd::kDeleteParameter, cmd::kEditField,      0, cmd::kAppAbout};
    for (int nCommand : layout) {
        if (nCommand == 0)
            m_pToolBar->addSeparator();
        else
            m_pToolBar->addAction(Action(nCommand));
    }

    m_manager.Install(&m_frame);
    m_manager.SetToolbarSource(128, ToolbarSourceOf(m_pToolBar));
    const unsigned ids[] = {128};
    m_manager.LoadToolbars(ids);
    m_manager.m_bAutoAccel = false;
}

void MenuFixture::TearDown() {
    for (QMenu* pMenu : {m_pParameter, m_pFunction, m_pDbms})
        pMenu->hide();
    SetPalette(m_oldPalette);
}

void SetPalette(const QPalette& palette) {
    QApplication::setPalette(palette);
    QCoreApplication::sendPostedEvents();  // widgets learn of it from posted events
}

QImage MenuFixture::Grab(QMenu* pMenu) {
    return pMenu->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage MenuFixture::Open(QMenu* pMenu) {
    pMenu->popup(QPoint(0, 0));
    return Grab(pMenu);
}

QRect MenuFixture::ButtonBox(QMenu* pMenu, QAction* pAction) const {
    const QRect rcItem = pMenu->actionGeometry(pAction);
    const QSize size = m_manager.GetButtonSize();
    return QRect(rcItem.left(), rcItem.top() + (rcItem.height() - size.height()) / 2, size.width(),
                 size.height());
}
