#pragma once

#include <array>

/// One row of the Morse table: the character in its first unit, and its code of "." and "-".
struct MorseEntry {
    char16_t character[4];
    char16_t code[16];
};

inline constexpr int kMorseTableSize = 63;
extern const std::array<MorseEntry, kMorseTableSize> MorseTable;

/// The result of looking a character up.
struct MorseLookup {
    enum class Kind {
        None,        ///< not in the table
        LowByteOnly, ///< not in the table, though its low byte selects another character's entry
        Found
    };
    Kind kind = Kind::None;
    const char16_t* code = nullptr; ///< NUL-terminated, first element first; set when Found
};

/// The 256-slot index by low byte into MorseTable.
class MorseIndex {
public:
    MorseIndex() { BuildMorseIndex(); }
    void BuildMorseIndex();
    MorseLookup LookupMorse(char16_t ch) const;

private:
    std::array<int, 256> m_slots{};
};
