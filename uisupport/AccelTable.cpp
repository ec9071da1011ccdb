#include "uisupport/AccelTable.h"

#include <QAction>
#include <QKeySequence>
#include <QWidget>

namespace {
constexpr int kSpecialKeys = 0x01000000;  // Qt's keys without a character start here
constexpr int kSpecialBase = 0xF000;      // and are kept from here
constexpr int kSpecialCount = 0x1000;
}  // namespace

std::optional<std::uint16_t> AccelKey(int nQtKey) {
    if (nQtKey >= 0 && nQtKey < kSpecialBase)
        return static_cast<std::uint16_t>(nQtKey);
    if (nQtKey >= kSpecialKeys && nQtKey < kSpecialKeys + kSpecialCount)
        return static_cast<std::uint16_t>(kSpecialBase + (nQtKey - kSpecialKeys));
    return std::nullopt;
}

int QtKeyOfAccel(std::uint16_t nKey) {
    return nKey < kSpecialBase ? nKey : kSpecialKeys + (nKey - kSpecialBase);
}

CAccelTable AccelTableOfActions(const QWidget& window) {
    CAccelTable table;
    const auto actions = window.findChildren<QAction*>();
    for (const QAction* pAction : actions) {
        bool bOk = false;
        const int nCommand = pAction->data().toInt(&bOk);
        if (!bOk || nCommand <= 0 || nCommand > 0xFFFF)
            continue;
        for (const QKeySequence& seq : pAction->shortcuts()) {
            if (seq.isEmpty())
                continue;
            const QKeyCombination combination = seq[0];
            CAccel accel;
            accel.fVirt = kAccelVirtKey;
            const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
            if (modifiers & Qt::ShiftModifier)
                accel.fVirt |= kAccelShift;
            if (modifiers & Qt::ControlModifier)
                accel.fVirt |= kAccelControl;
            if (modifiers & Qt::AltModifier)
                accel.fVirt |= kAccelAlt;
            const std::optional<std::uint16_t> key = AccelKey(combination.key());
            if (!key)
                continue;
            accel.key = *key;
            accel.cmd = static_cast<std::uint16_t>(nCommand);
            table.push_back(accel);
        }
    }
    return table;
}

void CAccelCopy::Clear() {
    m_entries.clear();
    m_lastEntry.clear();
}

void CAccelCopy::Load(const CAccelTable& table) {
    Clear();
    m_entries = table;
    for (int i = 0; i < static_cast<int>(m_entries.size()); ++i) {
        CAccel& entry = m_entries[i];
        const std::uint16_t nCommand = entry.cmd;
        const auto previous = m_lastEntry.constFind(nCommand);
        const int nBack = previous == m_lastEntry.cend() ? 0 : i - *previous;
        m_lastEntry.insert(nCommand, i);
        entry.cmd = static_cast<std::uint16_t>(nBack);
    }
}

QString AccelKeyText(const CAccel& accel) {
    QString strKey;
    if (accel.fVirt & kAccelAlt)
        strKey += QStringLiteral("Alt+");
    if (accel.fVirt & kAccelControl)
        strKey += QStringLiteral("Ctrl+");
    if (accel.fVirt & kAccelShift)
        strKey += QStringLiteral("Shift+");
    if (accel.fVirt & kAccelVirtKey)
        strKey += QKeySequence(QtKeyOfAccel(accel.key)).toString(QKeySequence::NativeText);
    else
        strKey += QChar(static_cast<char16_t>(accel.key & 0xFF));
    return strKey;
}

bool CAccelCopy::AppendAccelText(QString& strText, std::uint16_t nCommand) const {
    const qsizetype nTab = strText.indexOf(u'\t');
    if (nTab > 0)
        strText.truncate(nTab);

    const auto last = m_lastEntry.constFind(nCommand);
    if (last == m_lastEntry.cend())
        return false;

    bool bFirst = true;
    for (int i = *last; i >= 0;) {
        const CAccel& entry = m_entries[i];
        strText += bFirst ? QStringLiteral("\t") : QStringLiteral(", ");
        bFirst = false;
        strText += AccelKeyText(entry);
        if (entry.cmd == 0)
            break;
        i -= entry.cmd;
    }
    return true;
}
