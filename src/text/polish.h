#ifndef QZ_TEXT_POLISH_H_
#define QZ_TEXT_POLISH_H_

#include <cstdint>

#include "text/text.h"

namespace qz {

/// Upper case of a CP852 byte: "a".."z" and the Polish (and few other
/// Central European) small letters become capitals; every other byte is
/// returned unchanged.
uint8_t UpCasePL(uint8_t c);
/// Lower case of a CP852 byte, the reverse of `UpCasePL`.
uint8_t LoCasePL(uint8_t c);
/// `UpCasePL` / `LoCasePL` of every character; the length does not change.
Text UpperPL(TextView s);
Text LowerPL(TextView s);

/// Upper case for one-letter answers and hot letters: "a".."z" and the
/// small letters among the bytes 0x80..0xA5 become capitals; bytes
/// 0xA6..0xFF (ż among them) are unchanged.
uint8_t UpCaseKey(uint8_t c);
Text UpperKey(TextView s);

/// Sort weight of a CP852 byte in the Polish alphabet (1..159), 255 for a
/// byte outside it.
uint8_t CollationWeight(uint8_t c);

/// Polish alphabetical order, case-sensitive ("A" < "a" < "Ą"): 1 when `a`
/// sorts before `b`, 0 when they are equal, -1 when `a` sorts after `b`.
/// The shorter text is taken as padded with byte 0, the lowest weight.
int16_t ComparePL(TextView a, TextView b);

}  // namespace qz

#endif  // QZ_TEXT_POLISH_H_
