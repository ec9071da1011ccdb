#include <gtest/gtest.h>

#include <QAction>
#include <QWidget>

#include "uisupport/AccelTable.h"

namespace {
std::uint16_t Key(Qt::Key key) {
    return AccelKey(key).value();
}
constexpr std::uint16_t kNew = 57600;
constexpr std::uint16_t kCopy = 57634;
constexpr std::uint16_t kPaste = 57637;

// Copy bound to Ctrl+C and Ctrl+Insert, New to Ctrl+N, Paste to a plain character.
CAccelTable Table() {
    return {
        {kAccelVirtKey | kAccelControl, Key(Qt::Key_C), kCopy},
        {kAccelVirtKey | kAccelControl, Key(Qt::Key_N), kNew},
        {0, 'v', kPaste},
        {kAccelVirtKey | kAccelControl, Key(Qt::Key_Insert), kCopy},
    };
}
}  // namespace

TEST(AccelCopy, entriesLinkBackToThePreviousEntryOfTheirCommand) {
    CAccelCopy copy;
    copy.Load(Table());
    ASSERT_EQ(copy.Entries().size(), 4u);
    EXPECT_EQ(copy.Entries()[0].cmd, 0);  // first Copy: nothing before it
    EXPECT_EQ(copy.Entries()[1].cmd, 0);
    EXPECT_EQ(copy.Entries()[2].cmd, 0);
    EXPECT_EQ(copy.Entries()[3].cmd, 3);  // second Copy: three entries back
    EXPECT_EQ(copy.Entries()[3].key, Key(Qt::Key_Insert));
}

TEST(AccelCopy, commandBoundTwiceShowsBothKeysLaterEntryFirst) {
    CAccelCopy copy;
    copy.Load(Table());
    QString strText = QStringLiteral("&Copy");
    EXPECT_TRUE(copy.AppendAccelText(strText, kCopy));
    EXPECT_EQ(strText, QStringLiteral("&Copy\tCtrl+Ins, Ctrl+C"));

    // Again: the old key text is cut off first, so it never doubles.
    EXPECT_TRUE(copy.AppendAccelText(strText, kCopy));
    EXPECT_EQ(strText, QStringLiteral("&Copy\tCtrl+Ins, Ctrl+C"));

    QString strNew = QStringLiteral("&New");
    EXPECT_TRUE(copy.AppendAccelText(strNew, kNew));
    EXPECT_EQ(strNew, QStringLiteral("&New\tCtrl+N"));

    QString strPaste = QStringLiteral("Paste");
    EXPECT_TRUE(copy.AppendAccelText(strPaste, kPaste));
    EXPECT_EQ(strPaste, QStringLiteral("Paste\tv"));
}

TEST(AccelCopy, unboundCommandOnlyLosesOldKeyText) {
    CAccelCopy copy;
    copy.Load(Table());
    QString strText = QStringLiteral("E&xit\tAlt+F4");
    EXPECT_FALSE(copy.AppendAccelText(strText, 57665));
    EXPECT_EQ(strText, QStringLiteral("E&xit"));

    // A tab in first place is not key text.
    QString strLeading = QStringLiteral("\tRight");
    EXPECT_FALSE(copy.AppendAccelText(strLeading, 57665));
    EXPECT_EQ(strLeading, QStringLiteral("\tRight"));
}

TEST(AccelCopy, qtKeysFitSixteenBitsBothWays) {
    for (int nKey : {int{Qt::Key_A}, int{Qt::Key_F6}, int{Qt::Key_Backspace}, 0xAC00})
        EXPECT_EQ(QtKeyOfAccel(AccelKey(nKey).value()), nKey);
    EXPECT_FALSE(AccelKey(0xF000).has_value());
    EXPECT_FALSE(AccelKey(int{Qt::Key_unknown}).has_value());
}

TEST(AccelCopy, flagsComeOutAltCtrlShiftInThatOrder) {
    const CAccel accel{kAccelVirtKey | kAccelShift | kAccelControl | kAccelAlt, Key(Qt::Key_F6), 1};
    EXPECT_EQ(AccelKeyText(accel), QStringLiteral("Alt+Ctrl+Shift+F6"));
}

TEST(AccelCopy, tableOfActionsTakesEachShortcutOfCommandActions) {
    QWidget window;
    auto* pCopy = new QAction(&window);
    pCopy->setData(int{kCopy});
    pCopy->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::SHIFT | Qt::Key_F6)});
    auto* pNoCommand = new QAction(&window);
    pNoCommand->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    const CAccelTable table = AccelTableOfActions(window);
    const CAccelTable expected{{kAccelVirtKey | kAccelControl, Key(Qt::Key_C), kCopy},
                               {kAccelVirtKey | kAccelShift, Key(Qt::Key_F6), kCopy}};
    EXPECT_EQ(table, expected);
}
