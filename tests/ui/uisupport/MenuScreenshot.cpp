// Draws the picture of an open menu for the README: the main window showing a function,
// with "&DBMS" > "Function" > "&Parameter Management" open. Run on a real display (Xvfb):
//   menu_screenshot --home DIR OUTPUT.png
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <cstring>

#include "app/MainFrame.h"
#include "app/QtSeam.h"
#include "browser/FuncTreeView.h"
#include "infoview/ui/KLVView.h"
#include "records/LibraryPaths.h"

namespace {
constexpr int kSettleMs = 400;  // lets each window appear before the next step

// The first function folder of the first group that has one.
QString FirstFunction(const QString& strRoot) {
    QDir root(strRoot);
    for (const QString& strTop : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QDir top(root.filePath(strTop));
        for (const QString& strGroup : top.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QDir group(top.filePath(strGroup));
            for (const QString& strName : group.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
                if (strName.endsWith(QStringLiteral("()")))
                    return group.filePath(strName);
        }
    }
    return {};
}

QAction* ActionWithText(const QList<QAction*>& actions, const QString& strText) {
    for (QAction* pAction : actions)
        if (pAction->text() == strText)
            return pAction;
    return nullptr;
}
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString strOutput = QStringLiteral("menu.png");
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--home") == 0 && i + 1 < argc)
            kelvane::SetProgramDirectoryOverride(argv[++i]);
        else
            strOutput = QString::fromLocal8Bit(argv[i]);
    }

    QtSeam seam;
    CMainFrame frame(seam);
    frame.move(0, 0);
    frame.show();
    const QString strFunction = FirstFunction(QString::fromStdString(kelvane::GetLibraryRoot()));
    if (!strFunction.isEmpty()) {
        // A function selected with its first parameter: some commands enabled, some not.
        frame.GetBrowser()->SelectPath(strFunction.toStdString());
        frame.GetView()->ShowFunction(QFileInfo(strFunction).fileName().toStdString(),
                                      strFunction.toStdString());
        CFuncInfoTreeCtrl* pTree = frame.GetView()->InfoTree();
        const auto parameters = pTree->findItems(QStringLiteral("Parameters"), Qt::MatchExactly);
        if (!parameters.isEmpty() && parameters.front()->childCount() > 0)
            pTree->setCurrentItem(parameters.front()->child(0));
    }

    QMenu* pFunction = nullptr;
    QMenu* pParameter = nullptr;
    QTimer::singleShot(kSettleMs, [&] {
        QAction* pDbms = ActionWithText(frame.menuBar()->actions(), QStringLiteral("&DBMS"));
        frame.menuBar()->setActiveAction(pDbms);
        QTimer::singleShot(kSettleMs, [&, pDbms] {
            QAction* pItem = ActionWithText(pDbms->menu()->actions(), QStringLiteral("Function"));
            pFunction = pItem->menu();
            pDbms->menu()->setActiveAction(pItem);
            QTimer::singleShot(kSettleMs, [&] {
                QAction* pItem =
                    ActionWithText(pFunction->actions(), QStringLiteral("&Parameter Management"));
                pParameter = pItem->menu();
                pFunction->setActiveAction(pItem);
                QTimer::singleShot(kSettleMs, [&] {
                    pParameter->setActiveAction(pParameter->actions().front());
                    QTimer::singleShot(kSettleMs, [&] {
                        QRect rcShot = frame.frameGeometry();
                        rcShot = rcShot.united(pParameter->geometry().adjusted(0, 0, 8, 8));
                        QScreen* pScreen = QGuiApplication::primaryScreen();
                        pScreen
                            ->grabWindow(0, rcShot.x(), rcShot.y(), rcShot.width(), rcShot.height())
                            .save(strOutput);
                        app.quit();
                    });
                });
            });
        });
    });
    return app.exec();
}
