// Every text the widgets show has an entry in both languages' catalogues, and the
// catalogues are what lupdate makes of the sources: the window, each dialog and wizard
// page and the messages of a few commands, shown with each compiled catalogue loaded.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTranslator>
#include <QWizard>
#include <QXmlStreamReader>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "EveryDialog.h"
#include "FakeSeam.h"
#include "TestFiles.h"
#include "app/AboutDlg.h"
#include "app/MainFrame.h"
#include "app/Translators.h"
#include "browser/FuncTreeView.h"
#include "dialogs/ui/DefaultValueDlg.h"
#include "dialogs/ui/DescriptionDlg.h"
#include "dialogs/ui/InOutDlg.h"
#include "dialogs/ui/MatrixDlg.h"
#include "dialogs/ui/ParamTypeDlg.h"
#include "dialogs/ui/RenameDlg.h"
#include "i18n/Language.h"
#include "records/LibraryPaths.h"
#include "records/ParamTypes.h"
#include "resources/CommandIds.h"
#include "search/ui/FindFunctionDlg.h"
#include "uisupport/AccessibleNames.h"
#include "wizard/ui/CodeWizard.h"

using kelvane::i18n::Language;

namespace kelvane::i18n {
// Test names and failures show the code.
void PrintTo(const Language& language, std::ostream* out) {
    *out << language.code();
}
}  // namespace kelvane::i18n

namespace {

struct Entry {
    QString translation;
    bool finished = true;
};
// context -> source -> entry, as a .ts file holds them.
using Catalogue = std::map<QString, std::map<QString, Entry>>;

Catalogue ReadCatalogue(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    Catalogue catalogue;
    QXmlStreamReader xml(&file);
    QString context, source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            catalogue[context][source] = {xml.readElementText(), type.isEmpty()};
        }
    }
    EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
    return catalogue;
}

QString TsPath(Language language) {
    return QStringLiteral(KELVANE_TS_DIR "/kelvane_%1.ts")
        .arg(QLatin1String(CatalogueLanguage(language)));
}

// The compiled catalogue of the program, loaded as the program loads it; it notes every
// text of ours it is asked for and has no entry for. Qt's own texts are not ours.
class RecordingTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char* disambiguation,
                      int n) const override {
        QString text = QTranslator::translate(context, source, disambiguation, n);
        if (text.isEmpty() && source && *source && !QByteArray(context).startsWith('Q'))
            misses.insert(std::string(context) + ": " + source);
        return text;
    }
    mutable std::set<std::string> misses;
};

// Every text of one language's catalogue, as a pattern for what is shown: a placeholder
// stands for any text, a mnemonic may be gone (accessible names) and so may a final colon.
class ShownTexts {
public:
    explicit ShownTexts(const Catalogue& catalogue) {
        for (const auto& [context, messages] : catalogue)
            for (const auto& [source, entry] : messages) {
                m_plain.insert(entry.translation);
                m_plain.insert(NameFromLabel(entry.translation));
                m_plain.insert(ButtonText(entry.translation));
                if (entry.translation.contains(QRegularExpression(QStringLiteral("%\\d"))))
                    m_patterns.emplace_back(Pattern(entry.translation));
            }
    }
    bool Known(const QString& text) const {
        if (m_plain.count(text))
            return true;
        for (const QRegularExpression& pattern : m_patterns)
            if (pattern.match(text).hasMatch())
                return true;
        return false;
    }

private:
    // A toolbar button's text: its action's without the mnemonic and the final "...".
    static QString ButtonText(QString text) {
        text.remove(QLatin1Char('&'));
        if (text.endsWith(QLatin1String("...")))
            text.chop(3);
        return text;
    }
    static QRegularExpression Pattern(const QString& text) {
        QStringList pieces;
        for (const QString& piece : text.split(QRegularExpression(QStringLiteral("%\\d"))))
            pieces << QRegularExpression::escape(piece);
        const QString pattern = pieces.join(QStringLiteral(".*"));
        return QRegularExpression(QStringLiteral("\\A(?:%1)\\z").arg(pattern),
                                  QRegularExpression::DotMatchesEverythingOption);
    }
    std::set<QString> m_plain;
    std::vector<QRegularExpression> m_patterns;
};

// Texts that come from the files or the machine rather than the program: type names,
// numbers, file names. Each given by what shows it.
bool IsData(const QString& text) {
    static const QRegularExpression number(QStringLiteral("\\A[-+0-9.eE ]*\\z"));
    if (number.match(text).hasMatch())
        return true;
    for (std::string_view row : kelvane::kTypeSelectionRows)  // names and group headings
        if (text == QString::fromUtf8(row.data(), static_cast<qsizetype>(row.size())))
            return true;
    return false;
}

void Add(std::vector<QString>& texts, const QString& text) {
    if (!text.trimmed().isEmpty() && !IsData(text))
        texts.push_back(text);
}

// Controls that Qt makes and names itself, from its own catalogue: the wizard's buttons,
// the tab bar's scroll arrows.
bool IsQts(const QWidget* widget) {
    if (qobject_cast<const QTabBar*>(widget->parent()))
        return true;
    if (!qobject_cast<const QAbstractButton*>(widget))
        return false;
    for (const QObject* above = widget->parent(); above; above = above->parent()) {
        if (qobject_cast<const QWizardPage*>(above))
            return false;
        if (qobject_cast<const QWizard*>(above))
            return true;
    }
    return false;
}

// What a window shows of its own: titles, labels, buttons, tooltips, accessible names,
// list headers and fixed drop-down entries; menus with their actions. The items of trees
// and lists are the library's contents, and so are the headers of the main window's
// (the core's texts).
std::vector<QString> TextsOf(QWidget& root) {
    std::vector<QString> texts;
    QList<QWidget*> widgets = root.findChildren<QWidget*>();
    widgets.push_back(&root);
    for (QWidget* widget : widgets) {
        if (IsQts(widget))
            continue;
        Add(texts, widget->windowTitle());
        Add(texts, widget->toolTip());
        Add(texts, widget->statusTip());
        Add(texts, widget->accessibleName());
        if (auto* label = qobject_cast<QLabel*>(widget))
            Add(texts, label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            Add(texts, button->text());
        if (auto* group = qobject_cast<QGroupBox*>(widget))
            Add(texts, group->title());
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            Add(texts, edit->placeholderText());
        if (auto* page = qobject_cast<QWizardPage*>(widget))
            Add(texts, page->title());
        if (auto* combo = qobject_cast<QComboBox*>(widget))
            for (int i = 0; i < combo->count(); ++i)
                Add(texts, combo->itemText(i));
        if (auto* view = qobject_cast<QAbstractItemView*>(widget);
            view && view->model() && !qobject_cast<QMainWindow*>(&root))
            for (int c = 0; c < view->model()->columnCount(); ++c)
                Add(texts, view->model()->headerData(c, Qt::Horizontal).toString());
        if (auto* menu = qobject_cast<QMenu*>(widget))
            Add(texts, menu->title());
        for (QAction* action : widget->actions()) {
            Add(texts, action->text());
            Add(texts, action->toolTip());
            Add(texts, action->statusTip());
        }
    }
    return texts;
}

// Loads the program's catalogue of a language for as long as it lives.
class InLanguage {
public:
    explicit InLanguage(Language language) {
        loaded = m_translator.load(
            QStringLiteral("kelvane_%1").arg(QLatin1String(CatalogueLanguage(language))),
            QString::fromStdString(kelvane::i18n::CatalogueDir()));
        QCoreApplication::installTranslator(&m_translator);
    }
    ~InLanguage() { QCoreApplication::removeTranslator(&m_translator); }
    const std::set<std::string>& Misses() const { return m_translator.misses; }
    bool loaded = false;

private:
    RecordingTranslator m_translator;
};

class LanguagesTest : public ::testing::TestWithParam<Language> {
protected:
    LanguagesTest() {
        MakeDirs(dir / "FunctionLibrary/Basic/Filter/Blur()");
        kelvane::SetProgramDirectoryOverride(dir.path());
    }
    ~LanguagesTest() override { kelvane::SetProgramDirectoryOverride(""); }

    // Every window the user can open, with a name to tell them apart.
    std::vector<std::pair<std::string, std::vector<QString>>> Windows(FakeSeam& seam) {
        std::vector<std::pair<std::string, std::vector<QString>>> windows;
        CMainFrame frame(seam);
        windows.emplace_back("main window", TextsOf(frame));
        auto dialogs = EveryDialog(seam);
        for (auto& [name, dialog] : dialogs)
            windows.emplace_back(name, TextsOf(*dialog));
        CCodeWizard wizard(seam);
        windows.emplace_back("wizard", TextsOf(wizard));
        for (int id : wizard.pageIds()) {
            wizard.page(id)->initializePage();
            windows.emplace_back("wizard page " + std::to_string(id), TextsOf(*wizard.page(id)));
        }
        return windows;
    }

    // Messages of the window's own commands, as the user meets them.
    std::vector<QString> Messages(FakeSeam& seam) {
        CMainFrame frame(seam);
        frame.GetBrowser()->SelectPath(dir / "FunctionLibrary/Basic");
        frame.RunCommand(cmd::kRename);  // a top-level group
        frame.GetBrowser()->SelectPath(dir / "FunctionLibrary/Basic/Filter");
        seam.onNextDialog([](QDialog& dialog) {
            dialog.findChild<QLineEdit*>(QStringLiteral("1020"))->setText(QStringLiteral("a/b"));
            dialog.accept();
        });
        frame.RunCommand(cmd::kRename);  // a name that is no name
        CMatrixDlg matrix(seam);
        matrix.findChild<QLineEdit*>(QStringLiteral("1000"))->setText(QStringLiteral("x"));
        matrix.accept();  // not a number
        std::vector<QString> messages = seam.messages;
        messages.insert(messages.end(), seam.questions.begin(), seam.questions.end());
        return messages;
    }

    TempDir dir;
};

}  // namespace

TEST_P(LanguagesTest, everyTextShownHasAnEntryInTheLanguagesCatalogue) {
    const ShownTexts known(ReadCatalogue(TsPath(GetParam())));
    InLanguage language(GetParam());
    ASSERT_TRUE(language.loaded) << kelvane::i18n::CatalogueDir();
    FakeSeam seam;
    for (const auto& [window, texts] : Windows(seam))
        for (const QString& text : texts)
            EXPECT_TRUE(known.Known(text)) << window << ": \"" << text.toStdString() << "\"";
    const std::vector<QString> messages = Messages(seam);
    EXPECT_EQ(messages.size(), 3u);
    for (const QString& message : messages)
        EXPECT_TRUE(known.Known(message)) << "message: \"" << message.toStdString() << "\"";
    EXPECT_EQ(language.Misses(), std::set<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, LanguagesTest,
                         ::testing::Values(Language::Korean(), Language("en")),
                         [](const auto& info) {
                             return std::string(CatalogueLanguage(info.param));
                         });

TEST(Languages, theEnglishCatalogueHoldsNoKoreanAndTheKoreanOneKeepsTheKoreanTexts) {
    // The original's Korean texts have English beside them and stay as they are in Korean.
    const Catalogue english = ReadCatalogue(TsPath(Language("en")));
    const Catalogue korean = ReadCatalogue(TsPath(Language::Korean()));
    const QRegularExpression hangul(QStringLiteral("[\\x{AC00}-\\x{D7A3}]"));
    for (const auto& [context, messages] : english)
        for (const auto& [source, entry] : messages) {
            SCOPED_TRACE(QStringLiteral("%1: %2").arg(context, source).toStdString());
            EXPECT_FALSE(entry.translation.contains(hangul));
            const Entry& ko = korean.at(context).at(source);
            if (source.contains(hangul)) {
                EXPECT_EQ(ko.translation, source);  // the original's text exactly
            }
        }
}

TEST(Languages, theCataloguesHoldEveryTextOfTheSourcesAndNothingElse) {
    // lupdate, run as the build's kelvane_lupdate target runs it, on copies of the
    // catalogues: nothing new, nothing gone, nothing left unfinished.
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    QStringList arguments = QStringLiteral(KELVANE_LUPDATE_OPTIONS).split(QLatin1Char(','));
    for (const QString& dir : QStringLiteral(KELVANE_WIDGET_DIRS).split(QLatin1Char(',')))
        arguments << QStringLiteral(KELVANE_SOURCE_DIR "/") + dir;
    arguments << QStringLiteral("-ts");
    for (Language language : {Language::Korean(), Language("en")}) {
        const QString copy = scratch.filePath(QFileInfo(TsPath(language)).fileName());
        ASSERT_TRUE(QFile::copy(TsPath(language), copy));
        arguments << copy;
    }
    QProcess lupdate;
    lupdate.start(QStringLiteral(KELVANE_LUPDATE), arguments);
    ASSERT_TRUE(lupdate.waitForFinished(60000));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();

    for (Language language : {Language::Korean(), Language("en")}) {
        SCOPED_TRACE(CatalogueLanguage(language));
        const Catalogue kept = ReadCatalogue(TsPath(language));
        const Catalogue fresh =
            ReadCatalogue(scratch.filePath(QFileInfo(TsPath(language)).fileName()));
        std::set<std::string> keptTexts, freshTexts, unfinished;
        for (const auto& [context, messages] : kept)
            for (const auto& [source, entry] : messages)
                keptTexts.insert((context + QStringLiteral(": ") + source).toStdString());
        for (const auto& [context, messages] : fresh)
            for (const auto& [source, entry] : messages) {
                freshTexts.insert((context + QStringLiteral(": ") + source).toStdString());
                if (!entry.finished || entry.translation.isEmpty())
                    unfinished.insert((context + QStringLiteral(": ") + source).toStdString());
            }
        EXPECT_EQ(freshTexts, keptTexts);
        EXPECT_EQ(unfinished, std::set<std::string>{});
    }
}

// A third language for the window is its two catalogues in the catalogues' folder: it is
// offered, chosen by the locale and spoken, with nothing else changed.
TEST(Languages, aThirdLanguageIsItsCatalogues) {
    using kelvane::i18n::Face;
    using kelvane::i18n::InstalledLanguages;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string folder = QFile::encodeName(dir.path()).toStdString();
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("de/LC_MESSAGES")));
    WriteBytes(folder + "/de/LC_MESSAGES/kelvane.mo", "");
    // The core's catalogue alone is not enough for the window.
    EXPECT_EQ(InstalledLanguages(Face::Window, folder), std::vector{Language::Korean()});

    const QString ts = dir.filePath(QStringLiteral("kelvane_de.ts"));
    WriteBytes(QFile::encodeName(ts).toStdString(),
               "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
               "<TS version=\"2.1\" language=\"de\"><context><name>CommandLine</name>"
               "<message><source>Try 'kelvane --help'.</source>"
               "<translation>Siehe 'kelvane --help'.</translation></message>"
               "</context></TS>\n");
    QProcess lrelease;
    lrelease.start(QStringLiteral(KELVANE_LRELEASE), {QStringLiteral("-silent"), ts});
    ASSERT_TRUE(lrelease.waitForFinished(60000));
    ASSERT_EQ(lrelease.exitCode(), 0) << lrelease.readAllStandardError().toStdString();
    const std::vector<Language> installed = InstalledLanguages(Face::Window, folder);
    EXPECT_EQ(installed, (std::vector{Language::Korean(), Language("de")}));

    const auto choice =
        kelvane::i18n::ChooseLanguage(std::nullopt, {"de", "", "", "C.UTF-8"}, installed);
    EXPECT_EQ(choice.language, Language("de"));
    const auto before = QCoreApplication::instance()->findChildren<QTranslator*>();
    ASSERT_TRUE(InstallTranslators(*QCoreApplication::instance(), choice.language, folder));
    EXPECT_EQ(QCoreApplication::translate("CommandLine", "Try 'kelvane --help'."),
              QStringLiteral("Siehe 'kelvane --help'."));
    for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>())
        if (!before.contains(translator))
            delete translator;
    EXPECT_EQ(kelvane::i18n::ChooseLanguage("en", {}, installed).refused,
              std::optional<std::string>("en"));
}
