#pragma once

#include <QHash>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

class QWidget;

// One keyboard binding as the frame's accelerator table holds it: flags, a key and the
// command it gives.
struct CAccel {
    std::uint8_t fVirt = 0;  // kAccel* flags
    std::uint16_t key = 0;   // with kAccelVirtKey an AccelKey(), else a character in the low byte
    std::uint16_t cmd = 0;
    friend bool operator==(const CAccel&, const CAccel&) = default;
};
static_assert(sizeof(CAccel) == 6, "an accelerator entry is a flags byte and two 16-bit words");

inline constexpr std::uint8_t kAccelVirtKey = 0x01;
inline constexpr std::uint8_t kAccelShift = 0x04;
inline constexpr std::uint8_t kAccelControl = 0x08;
inline constexpr std::uint8_t kAccelAlt = 0x10;

using CAccelTable = std::vector<CAccel>;

// A Qt::Key in 16 bits: keys up to 0xEFFF as they are, the special keys (0x01000000 and up)
// from 0xF000 on. nullopt for keys that have no place.
std::optional<std::uint16_t> AccelKey(int nQtKey);
int QtKeyOfAccel(std::uint16_t nKey);

// The bindings of a window's actions that carry a command id as their data, in the order
// the actions were created; each shortcut of an action is one entry.
CAccelTable AccelTableOfActions(const QWidget& window);

// A copy of an accelerator table in which each entry's command field is reused as a link
// back to the previous entry for the same command (0: none), and a map from each command to
// its last entry.
class CAccelCopy {
public:
    void Load(const CAccelTable& table);
    void Clear();
    bool IsEmpty() const { return m_entries.empty(); }

    // Cuts the text at a tab that is not its first character, then appends a tab and the
    // keys bound to the command, the later entry first, separated by ", ". False, and the
    // text only cut, when the command has no binding.
    bool AppendAccelText(QString& strText, std::uint16_t nCommand) const;

    const std::vector<CAccel>& Entries() const { return m_entries; }

private:
    std::vector<CAccel> m_entries;
    QHash<std::uint16_t, int> m_lastEntry;
};

// "Ctrl+", "Alt+", "Shift+" as the flags say, then the key's name or its character.
QString AccelKeyText(const CAccel& accel);
