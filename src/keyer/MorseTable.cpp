#include "keyer/MorseTable.h"

// Letters and digits follow ITU-R M.1677-1; procedure signals ride on the punctuation that carries their code.
// clang-format off
const std::array<MorseEntry, kMorseTableSize> MorseTable = {{
    {{u'A'}, u".-"},
    {{u'B'}, u"-..."},
    {{u'C'}, u"-.-."},
    {{u'D'}, u"-.."},
    {{u'E'}, u"."},
    {{u'F'}, u"..-."},
    {{u'G'}, u"--."},
    {{u'H'}, u"...."},
    {{u'I'}, u".."},
    {{u'J'}, u".---"},
    {{u'K'}, u"-.-"},
    {{u'L'}, u".-.."},
    {{u'M'}, u"--"},
    {{u'N'}, u"-."},
    {{u'O'}, u"---"},
    {{u'P'}, u".--."},
    {{u'Q'}, u"--.-"},
    {{u'R'}, u".-."},
    {{u'S'}, u"..."},
    {{u'T'}, u"-"},
    {{u'U'}, u"..-"},
    {{u'V'}, u"...-"},
    {{u'W'}, u".--"},
    {{u'X'}, u"-..-"},
    {{u'Y'}, u"-.--"},
    {{u'Z'}, u"--.."},
    {{u'1'}, u".----"},
    {{u'2'}, u"..---"},
    {{u'3'}, u"...--"},
    {{u'4'}, u"....-"},
    {{u'5'}, u"....."},
    {{u'6'}, u"-...."},
    {{u'7'}, u"--..."},
    {{u'8'}, u"---.."},
    {{u'9'}, u"----."},
    {{u'0'}, u"-----"},
    {{u'*'}, u"........"},
    {{u'+'}, u".-.-."},
    {{u'.'}, u".-.-.-"},
    {{u','}, u"--..--"},
    {{u':'}, u"---..."},
    {{u'\''}, u".----."},
    {{u'='}, u"-...-"},
    {{u'-'}, u"-....-"},
    {{u'('}, u"-.--."},
    {{u'{'}, u"-.--."},
    {{u')'}, u"-.--.-"},
    {{u'}'}, u"-.--.-"},
    {{u'"'}, u".-..-."},
    {{u'$'}, u"...-.-"},
    {{u'/'}, u"-..-."},
    {{u'?'}, u"..--.."},
    {{u'<'}, u".-.-."},
    {{u'>'}, u".-..."},
    {{u'_'}, u"..--.-"},
    {{u'@'}, u"-.-.-"},
    {{u'\\'}, u"--..--"},
    {{u'|'}, u"--..--"},
    {{u'&'}, u"-...-.-"},
    {{u'#'}, u"......."},
    {{u';'}, u"-.-.-."},
    {{u'~'}, u"----.-"},
    {{u'^'}, u"----.-"},
}};
// clang-format on

void MorseIndex::BuildMorseIndex() {
    m_slots.fill(-1);
    for (int i = 0; i < kMorseTableSize; ++i)
        m_slots[MorseTable[i].character[0] & 0xFF] = i;
}

MorseLookup MorseIndex::LookupMorse(char16_t ch) const {
    const int k = m_slots[ch & 0xFF];
    if (k < 0)
        return {};
    if (MorseTable[k].character[0] != ch)
        return {MorseLookup::Kind::LowByteOnly, nullptr};
    return {MorseLookup::Kind::Found, MorseTable[k].code};
}
