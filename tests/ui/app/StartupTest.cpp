#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QMessageBox>
#include <QPushButton>

#include "FakeSeam.h"
#include "TestFiles.h"
#include "app/CommandLine.h"
#include "app/LibraryOffer.h"
#include "data/SampleLibrary.h"

namespace {

using Action = WindowCommandLine::Action;

QStringList Words(std::initializer_list<const char*> words) {
    QStringList list{QStringLiteral("kelvane")};
    for (const char* word : words)
        list << QString::fromUtf8(word);
    return list;
}

// An installed program: the sample in share/kelvane, the user's folder in data/kelvane.
kelvane::ProgramFolders Installed(const TempDir& dir) {
    kelvane::ProgramFolders folders;
    folders.source = kelvane::FolderSource::Installed;
    folders.userFolder = dir / "data/kelvane";
    folders.libraryRoot = folders.userFolder + "/FunctionLibrary";
    folders.dataFolder = dir / "share/kelvane";
    return folders;
}

// Writes the bundled sample library where an installed program has it.
void InstallSample(const kelvane::ProgramFolders& folders) {
    const std::string written = folders.dataFolder + "/written";
    ASSERT_TRUE(kelvane::sample::WriteSampleLibrary(written).ok());
    std::filesystem::rename(written + "/FunctionLibrary", folders.SampleLibrary());
}

// Presses the offer's button with the given text (Close when null); records the texts of
// its other buttons.
FakeSeam::Driver Press(const char* text, QStringList* buttons = nullptr) {
    return [=](QDialog& dialog) {
        auto& box = dynamic_cast<QMessageBox&>(dialog);
        QAbstractButton* pressed = text ? nullptr : box.button(QMessageBox::Close);
        for (QAbstractButton* button : box.buttons()) {
            if (buttons && button != box.button(QMessageBox::Close))
                *buttons << button->text();
            if (text && button->text() == QString::fromUtf8(text))
                pressed = button;
        }
        ASSERT_NE(pressed, nullptr) << (text ? text : "Close");
        pressed->click();
    };
}

}  // namespace

TEST(WindowCommandLine, ownOptionsParsed_anythingElseIsAUsageError) {
    struct Case {
        QStringList words;
        Action action;
        QString homeOrMessage;  // the home to use, or a part of the message
    };
    const Case cases[] = {
        {Words({}), Action::Run, ""},
        {Words({"--home", "/srv/lib"}), Action::Run, "/srv/lib"},
        {Words({"--home=/srv/lib"}), Action::Run, "/srv/lib"},
        {Words({"-home", "/srv/lib"}), Action::Run, "/srv/lib"},
        {Words({"--help"}), Action::Help, "--home <DIR>"},
        {Words({"-h"}), Action::Help, "KELVANE_HOME"},
        {Words({"--version"}), Action::Version, "kelvane 1."},
        {Words({"--bogus"}), Action::UsageError, "bogus"},
        {Words({"-hme", "x"}), Action::UsageError, "hme"},
        {Words({"notes.klv"}), Action::UsageError, "notes.klv"},
        {Words({"--home"}), Action::UsageError, "--home"},
        {Words({"--home", ""}), Action::UsageError, "--home"},
        {Words({"--lang"}), Action::UsageError, "--lang"},
        {Words({"--help", "--lang", "en"}), Action::Help, "--lang <LANG>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.words.join(' ').toStdString());
        const WindowCommandLine line = ParseWindowCommandLine(c.words);
        EXPECT_EQ(line.action, c.action);
        if (c.action == Action::Run)
            EXPECT_EQ(line.home, c.homeOrMessage);
        else
            EXPECT_TRUE(line.message.contains(c.homeOrMessage)) << line.message.toStdString();
    }
    // --lang is read as kelvane-cli reads it, and chosen from in main().
    for (const char* word : {"--lang=en", "-lang=en"})
        EXPECT_EQ(ParseWindowCommandLine(Words({word})).lang, std::optional<std::string>("en"));
    EXPECT_EQ(ParseWindowCommandLine(Words({"--lang", "xx", "--home", "/a"})).lang,
              std::optional<std::string>("xx"));
    EXPECT_EQ(ParseWindowCommandLine(Words({})).lang, std::nullopt);
    // Before Qt has taken out its own options, --help and --version are still answered.
    const QStringList raw = Words({"-platform", "offscreen", "--version"});
    EXPECT_EQ(ParseWindowCommandLine(raw, true).action, Action::Version);
    EXPECT_EQ(ParseWindowCommandLine(Words({"-platform", "offscreen"}), true).action, Action::Run);

    const auto asks = [](std::vector<const char*> words) {
        words.insert(words.begin(), "kelvane");
        return AsksForHelpOrVersion(static_cast<int>(words.size()),
                                    const_cast<char**>(words.data()));
    };
    EXPECT_TRUE(asks({"-style", "Fusion", "--help"}));
    EXPECT_TRUE(asks({"-v"}));
    EXPECT_FALSE(asks({"--home", "x"}));
    EXPECT_FALSE(asks({"--", "--help"}));
}

TEST(LibraryOffer, copyPutsTheSampleInTheUsersFolder_onceAndNeverOverAnything) {
    TempDir dir;
    const kelvane::ProgramFolders folders = Installed(dir);
    InstallSample(folders);

    FakeSeam seam;
    QStringList buttons;
    seam.onNextDialog(Press(kCopySampleButton, &buttons));
    OfferSampleLibrary(seam, nullptr, folders);
    EXPECT_EQ(buttons, (QStringList{kCopySampleButton, kOpenFolderButton}));
    EXPECT_TRUE(seam.messages.empty());
    EXPECT_EQ(SortedNames(folders.libraryRoot), SortedNames(folders.SampleLibrary()));
    EXPECT_EQ(ReadBytes(folders.libraryRoot + "/Basic/Filter/Blur()/Blur().fdb"),
              ReadBytes(folders.SampleLibrary() + "/Basic/Filter/Blur()/Blur().fdb"));

    // With a library there, nothing is asked; nor for a program with its own folder.
    OfferSampleLibrary(seam, nullptr, folders);
    kelvane::ProgramFolders portable = kelvane::ProgramFolders::InHome(dir / "none");
    portable.dataFolder = folders.dataFolder;
    OfferSampleLibrary(seam, nullptr, portable);
    EXPECT_EQ(seam.dialogTitles.size(), 1u);
    EXPECT_EQ(seam.unexpectedDialogs, 0);
}

TEST(LibraryOffer, openFolderOrClose_andWhatAFailedCopySays) {
    TempDir dir;
    const kelvane::ProgramFolders folders = Installed(dir);
    FakeSeam seam;

    // No sample installed: no copy button; Open Folder makes the folder and opens it.
    QStringList buttons;
    seam.onNextDialog(Press(kOpenFolderButton, &buttons));
    OfferSampleLibrary(seam, nullptr, folders);
    EXPECT_EQ(buttons, QStringList{kOpenFolderButton});
    struct stat st {};
    ASSERT_EQ(stat(folders.libraryRoot.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    ASSERT_EQ(seam.launches.size(), 1u);
    EXPECT_EQ(seam.launches[0].arguments.last(), QString::fromStdString(folders.libraryRoot + "/"));
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_TRUE(seam.messages[0].contains("starts next"));

    // Close changes nothing; a copy that cannot be made says why.
    std::filesystem::remove_all(dir / "data");
    InstallSample(folders);
    seam.onNextDialog(Press(nullptr));
    OfferSampleLibrary(seam, nullptr, folders);
    EXPECT_FALSE(std::filesystem::exists(dir / "data"));
    WriteBytes(dir / "data", "a file where the folder goes");
    seam.onNextDialog(Press(kCopySampleButton));
    OfferSampleLibrary(seam, nullptr, folders);
    ASSERT_EQ(seam.messages.size(), 2u);
    EXPECT_TRUE(seam.messages[1].contains("it is not a folder; nothing was copied"))
        << seam.messages[1].toStdString();
}
