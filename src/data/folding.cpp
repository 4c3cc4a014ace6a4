#include "folding.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace data {
namespace {

constexpr char32_t Drop = 0xFFFFFFFF;

// The folding of one code point that UTF-8 writes in two bytes (U+0080 to
// U+07FF): every letter the rules touch lives there, except ZWNJ.
constexpr char32_t foldTwoByte(char32_t c)
{
    // Latin-1 Supplement capitals; U+00D7 is the multiplication sign.
    if (c >= 0x00C0 && c <= 0x00DE && c != 0x00D7)
        return c + 0x20;
    // Latin Extended-A pairs each capital with the small letter after it,
    // in runs where the capitals have even code points and runs where they
    // have odd ones; the gaps hold letters with no capital.
    if ((c >= 0x0100 && c <= 0x012F) || (c >= 0x0132 && c <= 0x0137) || (c >= 0x014A && c <= 0x0177))
        return (c % 2 == 0) ? c + 1 : c;
    if ((c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E))
        return (c % 2 == 1) ? c + 1 : c;
    if (c == 0x0130) // İ: its simple small letter is a plain i
        return U'i';
    if (c == 0x0178) // Ÿ
        return 0x00FF;

    switch (c) {
    case 0x06CC: // Persian yeh
    case 0x0649: // alef maksura
    case 0x06D2: // yeh barree
        return 0x064A;
    case 0x06A9: // keheh, the Persian kaf
        return 0x0643;
    case 0x0622: // alef with madda
    case 0x0623: // alef with hamza above
    case 0x0625: // alef with hamza below
    case 0x0671: // alef wasla
        return 0x0627;
    case 0x0629: // teh marbuta
    case 0x06C0: // heh with yeh above
    case 0x06C1: // heh goal
        return 0x0647;
    case 0x0640: // tatweel
    case 0x0670: // superscript alef
        return Drop;
    default:
        break;
    }
    if (c >= 0x064B && c <= 0x065F) // harakat, tanwin, shadda, sukun, hamza marks
        return Drop;
    if (c >= 0x0660 && c <= 0x0669)
        return U'0' + (c - 0x0660);
    if (c >= 0x06F0 && c <= 0x06F9)
        return U'0' + (c - 0x06F0);
    return c;
}

// What a two-byte sequence becomes: up to two bytes and how many of them count.
struct Replacement
{
    unsigned char bytes[2];
    unsigned char length;
};

// Indexed by the low five bits of the lead byte and the low six of the
// continuation byte, which together are the code point.
constexpr std::array<Replacement, 32 * 64> makeTwoByteTable()
{
    std::array<Replacement, 32 * 64> table{};
    for (char32_t c = 0; c < 32 * 64; ++c) {
        const char32_t f = foldTwoByte(c);
        Replacement &r = table[c];
        if (f == Drop) {
            r = {{0, 0}, 0};
        } else if (f < 0x80) {
            r = {{static_cast<unsigned char>(f), 0}, 1};
        } else {
            r = {{static_cast<unsigned char>(0xC0 | (f >> 6)), static_cast<unsigned char>(0x80 | (f & 0x3F))}, 2};
        }
    }
    return table;
}

constexpr std::array<Replacement, 32 * 64> TwoByteTable = makeTwoByteTable();

constexpr std::uint64_t HighBits = 0x8080808080808080ULL;
constexpr std::uint64_t Ones = 0x0101010101010101ULL;

// Lowercases eight ASCII bytes at once. With every byte below 0x80, adding
// 0x3F sets a byte's high bit from 'A' up and adding 0x25 from past 'Z',
// with no carry into the next byte.
inline std::uint64_t lowerAscii8(std::uint64_t w)
{
    const std::uint64_t fromA = w + Ones * (0x80 - 'A');
    const std::uint64_t pastZ = w + Ones * (0x80 - 'Z' - 1);
    const std::uint64_t upper = (fromA ^ pastZ) & HighBits;
    return w | (upper >> 2);
}

} // namespace

void foldAppend(std::string_view utf8, std::string &out)
{
    const std::size_t start = out.size();
    // Folding never lengthens text, so one resize covers the worst case and
    // the loop writes through a plain pointer.
    out.resize(start + utf8.size());
    auto *o = reinterpret_cast<unsigned char *>(out.data() + start);
    const auto *p = reinterpret_cast<const unsigned char *>(utf8.data());
    const auto *const end = p + utf8.size();

    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            if (end - p >= 8) {
                std::uint64_t w;
                std::memcpy(&w, p, 8);
                if ((w & HighBits) == 0) {
                    w = lowerAscii8(w);
                    std::memcpy(o, &w, 8);
                    p += 8;
                    o += 8;
                    continue;
                }
            }
            *o++ = (unsigned(c - 'A') < 26) ? c + 0x20 : c;
            ++p;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF && end - p >= 2 && (p[1] & 0xC0) == 0x80) {
            const Replacement &r = TwoByteTable[((c & 0x1F) << 6) | (p[1] & 0x3F)];
            // Output lags input, so both bytes fit even when fewer count.
            std::memcpy(o, r.bytes, 2);
            o += r.length;
            p += 2;
            continue;
        }
        if (c == 0xE2 && end - p >= 3 && p[1] == 0x80 && p[2] == 0x8C) { // ZWNJ
            p += 3;
            continue;
        }
        *o++ = c;
        ++p;
    }
    out.resize(reinterpret_cast<char *>(o) - out.data());
}

std::string fold(std::string_view utf8)
{
    std::string out;
    foldAppend(utf8, out);
    return out;
}

} // namespace data
