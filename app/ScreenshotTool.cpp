// Shows the main window on a library, opens a function, a group, a popup, the About box,
// the pages of the creation wizard and Find Function in turn, and writes a PNG of the
// screen for each.
// Run under a display (Xvfb).
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>
#include <functional>
#include <vector>

#include "app/AboutDlg.h"
#include "app/MainFrame.h"
#include "app/Translators.h"
#include "browser/FuncTreeView.h"
#include "infoview/ui/KLVView.h"
#include "records/LibraryPaths.h"
#include "resources/CommandIds.h"
#include "search/ui/FindFunctionDlg.h"
#include "uisupport/UiSeam.h"
#include "wizard/ui/CodeWizard.h"
#include "wizard/ui/NamePropertyPage.h"
#include "wizard/ui/ParameterPropertyPage.h"

namespace {

// Nothing modal while pictures are taken: messages go to the error stream.
class LogSeam : public UiSeam {
public:
    int exec(QDialog&) override { return QDialog::Rejected; }
    void message(QWidget*, const QString& text) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    bool confirm(QWidget*, const QString&) override { return false; }
    int choose(QWidget*, const QString&, const QStringList& choices) override {
        return static_cast<int>(choices.size()) - 1;
    }
    QString saveFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QString openFileName(QWidget*, const QString&, const QString&) override { return {}; }
    bool launch(const QString&, const QStringList&) override { return false; }
};

bool Grab(const QRect& area, const QString& path) {
    QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(),
                                                                area.height());
    if (shot.save(path)) {
        std::printf("%s\n", qPrintable(path));
        return true;
    }
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

// Selects a kind of parameter and presses the button that adds it (1004 inputs, 1012 outputs).
void AddKind(CParameterPropertyPage* page, const char* type, const char* button) {
    QTreeWidget* kinds = page->Kinds();
    const auto found = kinds->findItems(QLatin1String(type), Qt::MatchExactly, 0);
    if (found.isEmpty())
        return;
    kinds->setCurrentItem(found.front());
    if (auto* add = page->findChild<QPushButton*>(QLatin1String(button)))
        add->click();
}

QTreeWidgetItem* Child(QTreeWidgetItem* parent, const QString& text) {
    for (int i = 0; parent && i < parent->childCount(); ++i)
        if (parent->child(i)->text(0) == text)
            return parent->child(i);
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if ((argc != 4 && argc != 6) || QByteArray(argv[1]) != "--home" ||
        (argc == 6 && QByteArray(argv[4]) != "--lang")) {
        std::fprintf(stderr, "usage: kelvane_screenshot --home DIR OUTPUT_DIR [--lang ko|en]\n");
        return 2;
    }
    if (argc == 6) {
        const kelvane::i18n::LanguageChoice choice = kelvane::i18n::ChooseLanguage(
            std::string_view(argv[5]), kelvane::i18n::LocaleVariables::OfProcess());
        if (!choice.ok()) {
            std::fprintf(stderr, "%s\n",
                         kelvane::i18n::UnknownLanguageMessage(*choice.refused).c_str());
            return 2;
        }
        kelvane::i18n::UseLanguage(choice.language);
        InstallTranslators(app, choice.language);
    }
    kelvane::SetProgramDirectoryOverride(argv[2]);
    const QDir out(QString::fromLocal8Bit(argv[3]));
    const std::string library = kelvane::GetLibraryRoot();

    LogSeam seam;
    CMainFrame frame(seam);
    frame.move(0, 0);
    frame.show();
    CFuncTreeView* browser = frame.GetBrowser();
    CKLVView* view = frame.GetView();
    bool ok = true;
    CCodeWizard wizard(seam, &frame);
    auto grabWizard = [&](const char* name) {
        ok &= Grab(wizard.frameGeometry(), out.filePath(QLatin1String(name)));
    };

    // Each step changes the window; the picture is taken once it has been painted.
    std::vector<std::function<void()>> steps = {
        [&] {
            const std::string blur = library + "/Basic/Filter/Blur()";
            browser->SelectPath(blur);
            view->ShowItem("Blur()", blur);
            QTreeWidgetItem* root = view->InfoTree()->topLevelItem(0);
            QTreeWidgetItem* parameters = Child(root, QStringLiteral("Parameters"));
            if (parameters && parameters->childCount() > 0)
                parameters->child(0)->setExpanded(true);
        },
        [&] { ok &= Grab(frame.frameGeometry(), out.filePath("function.png")); },
        [&] {
            const std::string filter = library + "/Basic/Filter";
            browser->SelectPath(filter);
            view->ShowItem("Filter", filter);
        },
        [&] { ok &= Grab(frame.frameGeometry(), out.filePath("group.png")); },
        [&] {
            const std::string basic = library + "/Basic";
            browser->SelectPath(basic);
            view->ShowItem("Basic", basic);
        },
        [&] { ok &= Grab(frame.frameGeometry(), out.filePath("tab.png")); },
        [&] {
            const std::string blur = library + "/Basic/Filter/Blur()";
            browser->SelectPath(blur);
            view->ShowItem("Blur()", blur);
            frame.FunctionPopup()->popup(frame.mapToGlobal(QPoint(120, 150)));
            // The submenu opens beside its parent, as a hover would open it.
            const QRect parent = frame.FunctionPopup()->geometry();
            frame.ParameterPopup()->popup(QPoint(parent.right() + 1, parent.top()));
        },
        [&] {
            const QRect area = frame.frameGeometry().united(frame.ParameterPopup()->geometry());
            ok &= Grab(area, out.filePath("popup.png"));
            frame.ParameterPopup()->close();
            frame.FunctionPopup()->close();
        },
        [&] {
            auto* about = new CAboutDlg(&frame);
            about->setAttribute(Qt::WA_DeleteOnClose);
            about->show();
            about->move(frame.geometry().center() - about->rect().center());
        },
        [&] {
            for (QDialog* about : frame.findChildren<CAboutDlg*>()) {
                ok &= Grab(about->frameGeometry(), out.filePath("about.png"));
                about->close();
            }
        },
        // The four pages of the creation wizard, filled in as a user would.
        [&] {
            wizard.show();
            wizard.move(frame.geometry().topLeft() + QPoint(20, 20));
        },
        [&] { grabWizard("wizard-kind.png"); },
        [&] {
            wizard.next();
            wizard.NamePage()->NameEdit()->setText(QStringLiteral("Sharpen2"));
        },
        [&] { grabWizard("wizard-name.png"); },
        [&] {
            wizard.next();
            CParameterPropertyPage* page = wizard.ParameterPage();
            AddKind(page, "CImageByte*", "1004");
            AddKind(page, "double*", "1004");
            AddKind(page, "CImageByte*", "1012");
            page->Kinds()->setCurrentItem(page->Kinds()->topLevelItem(7));
        },
        [&] { grabWizard("wizard-parameters.png"); },
        [&] { wizard.next(); },
        [&] {
            grabWizard("wizard-summary.png");
            wizard.close();
        },
        // Find Function beside the main window, a result opened in the tree.
        [&] {
            frame.RunCommand(cmd::kFindFunction);
            if (auto* find = frame.findChild<CFindFunctionDlg*>()) {
                find->resize(find->width(), frame.height());  // one picture without a gap
                find->QueryEdit()->setText(QStringLiteral("image"));
                find->StartSearch();
            }
        },
        [&] {
            auto* find = frame.findChild<CFindFunctionDlg*>();
            const CSearchResultsModel* found = find ? &find->Found() : nullptr;
            for (int row = 0; found && row < found->rowCount(); ++row)
                if (found->Hit(row).folderName == "Blur()") {
                    find->Results()->setCurrentIndex(found->index(row, 0));
                    emit find->Results()->activated(found->index(row, 0));
                }
        },
        [&] {
            if (auto* find = frame.findChild<CFindFunctionDlg*>()) {
                ok &= Grab(frame.frameGeometry().united(find->frameGeometry()),
                           out.filePath("find-function.png"));
                find->close();
            }
        },
    };

    constexpr int kSettleMs = 300;
    std::size_t next = 0;
    QTimer timer;
    timer.setInterval(kSettleMs);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (next == steps.size()) {
            app.exit(ok ? 0 : 1);
            return;
        }
        steps[next++]();
    });
    timer.start();
    return app.exec();
}
