// CharacterWidth: the width tables of Shift-JIS text and the conversions and searches built on them.
#include "foundation/CharacterWidth.h"

#include <cstring>
#include <string>
#include <vector>

#include "foundation/CharText.h"

namespace {

// The tables hold Shift-JIS codes as numbers; the comments show the characters.
struct TSymbolPair {
    unsigned char half;
    unsigned short full;
    bool reversible;
};

struct TKanaPair {
    unsigned char half;
    unsigned short full;
};

struct TVoicedKana {
    unsigned char base;
    unsigned char mark; // ﾞ (0xDE) or ﾟ (0xDF)
    unsigned short full;
};

const TSymbolPair SymbolPairs[] = {
    {' ', 0x8140, true}, // space 　
    {',', 0x8143, true}, // , ，
    {'.', 0x8144, true}, // . ．
    {':', 0x8146, true}, // : ：
    {';', 0x8147, true}, // ; ；
    {'?', 0x8148, true}, // ? ？
    {'!', 0x8149, true}, // ! ！
    {'^', 0x814F, true}, // ^ ＾
    {'_', 0x8151, true}, // _ ＿
    {'/', 0x815E, true}, // / ／
    {'~', 0x8160, true}, // ~ ～
    {'|', 0x8162, true}, // | ｜
    {'`', 0x814D, false}, // ` ｀ (｀ does not turn back into `)
    {'\'', 0x8166, true}, // ' ’
    {'"', 0x8168, true}, // " ”
    {'(', 0x8169, true}, // ( （
    {')', 0x816A, true}, // ) ）
    {'[', 0x816D, true}, // [ ［
    {']', 0x816E, true}, // ] ］
    {'{', 0x816F, true}, // { ｛
    {'}', 0x8170, true}, // } ｝
    {0xA2, 0x8175, true}, // ｢ 「
    {0xA3, 0x8176, true}, // ｣ 」
    {'+', 0x817B, true}, // + ＋
    {'-', 0x817C, true}, // - －
    {'=', 0x8181, true}, // = ＝
    {'<', 0x8183, true}, // < ＜
    {'>', 0x8184, true}, // > ＞
    {'\\', 0x818F, true}, // \ ￥
    {'$', 0x8190, true}, // $ ＄
    {'%', 0x8193, true}, // % ％
    {'#', 0x8194, true}, // # ＃
    {'&', 0x8195, true}, // & ＆
    {'*', 0x8196, true}, // * ＊
    {'@', 0x8197, true}, // @ ＠
};

const TKanaPair KanaPunctuation[] = {
    {0xA4, 0x8141}, // ､ 、
    {0xA1, 0x8142}, // ｡ 。
    {0xA5, 0x8145}, // ･ ・
    {0xDE, 0x814A}, // ﾞ ゛
    {0xDF, 0x814B}, // ﾟ ゜
    {0xB0, 0x815B}, // ｰ ー
};

// First match wins in both directions: ｲ and ｴ become イ and エ, while ヰ, ヱ and ヮ, which
// half-width kana cannot write, fall back to ｲ, ｴ and ﾜ.
const TKanaPair Katakana[] = {
    {0xA6, 0x8392}, // ｦ ヲ
    {0xA7, 0x8340}, // ｧ ァ
    {0xA8, 0x8342}, // ｨ ィ
    {0xA9, 0x8344}, // ｩ ゥ
    {0xAA, 0x8346}, // ｪ ェ
    {0xAB, 0x8348}, // ｫ ォ
    {0xAC, 0x8383}, // ｬ ャ
    {0xAD, 0x8385}, // ｭ ュ
    {0xAE, 0x8387}, // ｮ ョ
    {0xAF, 0x8362}, // ｯ ッ
    {0xB1, 0x8341}, // ｱ ア
    {0xB2, 0x8343}, // ｲ イ
    {0xB3, 0x8345}, // ｳ ウ
    {0xB4, 0x8347}, // ｴ エ
    {0xB5, 0x8349}, // ｵ オ
    {0xB6, 0x834A}, // ｶ カ
    {0xB7, 0x834C}, // ｷ キ
    {0xB8, 0x834E}, // ｸ ク
    {0xB9, 0x8350}, // ｹ ケ
    {0xBA, 0x8352}, // ｺ コ
    {0xBB, 0x8354}, // ｻ サ
    {0xBC, 0x8356}, // ｼ シ
    {0xBD, 0x8358}, // ｽ ス
    {0xBE, 0x835A}, // ｾ セ
    {0xBF, 0x835C}, // ｿ ソ
    {0xC0, 0x835E}, // ﾀ タ
    {0xC1, 0x8360}, // ﾁ チ
    {0xC2, 0x8363}, // ﾂ ツ
    {0xC3, 0x8365}, // ﾃ テ
    {0xC4, 0x8367}, // ﾄ ト
    {0xC5, 0x8369}, // ﾅ ナ
    {0xC6, 0x836A}, // ﾆ ニ
    {0xC7, 0x836B}, // ﾇ ヌ
    {0xC8, 0x836C}, // ﾈ ネ
    {0xC9, 0x836D}, // ﾉ ノ
    {0xCA, 0x836E}, // ﾊ ハ
    {0xCB, 0x8371}, // ﾋ ヒ
    {0xCC, 0x8374}, // ﾌ フ
    {0xCD, 0x8377}, // ﾍ ヘ
    {0xCE, 0x837A}, // ﾎ ホ
    {0xCF, 0x837D}, // ﾏ マ
    {0xD0, 0x837E}, // ﾐ ミ
    {0xD1, 0x8380}, // ﾑ ム
    {0xD2, 0x8381}, // ﾒ メ
    {0xD3, 0x8382}, // ﾓ モ
    {0xD4, 0x8384}, // ﾔ ヤ
    {0xD5, 0x8386}, // ﾕ ユ
    {0xD6, 0x8388}, // ﾖ ヨ
    {0xD7, 0x8389}, // ﾗ ラ
    {0xD8, 0x838A}, // ﾘ リ
    {0xD9, 0x838B}, // ﾙ ル
    {0xDA, 0x838C}, // ﾚ レ
    {0xDB, 0x838D}, // ﾛ ロ
    {0xDC, 0x838F}, // ﾜ ワ
    {0xDD, 0x8393}, // ﾝ ン
    {0xB2, 0x8390}, // ｲ ヰ
    {0xB4, 0x8391}, // ｴ ヱ
    {0xDC, 0x838E}, // ﾜ ヮ
};

const TVoicedKana VoicedKana[] = {
    {0xB6, 0xDE, 0x834B}, // ｶﾞ ガ
    {0xB7, 0xDE, 0x834D}, // ｷﾞ ギ
    {0xB8, 0xDE, 0x834F}, // ｸﾞ グ
    {0xB9, 0xDE, 0x8351}, // ｹﾞ ゲ
    {0xBA, 0xDE, 0x8353}, // ｺﾞ ゴ
    {0xBB, 0xDE, 0x8355}, // ｻﾞ ザ
    {0xBC, 0xDE, 0x8357}, // ｼﾞ ジ
    {0xBD, 0xDE, 0x8359}, // ｽﾞ ズ
    {0xBE, 0xDE, 0x835B}, // ｾﾞ ゼ
    {0xBF, 0xDE, 0x835D}, // ｿﾞ ゾ
    {0xC0, 0xDE, 0x835F}, // ﾀﾞ ダ
    {0xC1, 0xDE, 0x8361}, // ﾁﾞ ヂ
    {0xC2, 0xDE, 0x8364}, // ﾂﾞ ヅ
    {0xC3, 0xDE, 0x8366}, // ﾃﾞ デ
    {0xC4, 0xDE, 0x8368}, // ﾄﾞ ド
    {0xCA, 0xDE, 0x836F}, // ﾊﾞ バ
    {0xCB, 0xDE, 0x8372}, // ﾋﾞ ビ
    {0xCC, 0xDE, 0x8375}, // ﾌﾞ ブ
    {0xCD, 0xDE, 0x8378}, // ﾍﾞ ベ
    {0xCE, 0xDE, 0x837B}, // ﾎﾞ ボ
    {0xB3, 0xDE, 0x8394}, // ｳﾞ ヴ
    {0xCA, 0xDF, 0x8370}, // ﾊﾟ パ
    {0xCB, 0xDF, 0x8373}, // ﾋﾟ ピ
    {0xCC, 0xDF, 0x8376}, // ﾌﾟ プ
    {0xCD, 0xDF, 0x8379}, // ﾍﾟ ペ
    {0xCE, 0xDF, 0x837C}, // ﾎﾟ ポ
};

constexpr unsigned FirstPairedCode = 0x8140; // full-width space
constexpr unsigned LastPairedCode = 0x8396;  // ヶ
constexpr unsigned FullDigitZero = 0x824F;
constexpr unsigned FullCapitalA = 0x8260;
constexpr unsigned FullSmallA = 0x8281;
constexpr unsigned FullLatinCaseShift = FullSmallA - FullCapitalA;

template <typename Pair, int N>
const Pair* FindHalf(const Pair (&table)[N], unsigned char half)
{
    for (const Pair& pair : table) {
        if (pair.half == half) return &pair;
    }
    return nullptr;
}

template <typename Pair, int N>
const Pair* FindFull(const Pair (&table)[N], unsigned full)
{
    for (const Pair& pair : table) {
        if (pair.full == full) return &pair;
    }
    return nullptr;
}

const TVoicedKana* FindVoiced(unsigned char base, unsigned char mark)
{
    for (const TVoicedKana& kana : VoicedKana) {
        if (kana.base == base && kana.mark == mark) return &kana;
    }
    return nullptr;
}

unsigned CodeAt(const char* position)
{
    return static_cast<unsigned char>(position[0]) << 8 | static_cast<unsigned char>(position[1]);
}

// The converted bytes and, when asked, the source offset each of them came from.
class TWidthOutput {
public:
    explicit TWidthOutput(std::vector<int>* origins) : origins(origins) {}

    void Put(int source, unsigned char byte)
    {
        bytes.push_back(static_cast<char>(byte));
        if (origins) origins->push_back(source);
    }
    void PutCode(int source, unsigned code)
    {
        Put(source, static_cast<unsigned char>(code >> 8));
        Put(source, static_cast<unsigned char>(code & 0xFF));
    }
    void Copy(int source, const char* from, int length)
    {
        for (int i = 0; i < length; ++i) Put(source, static_cast<unsigned char>(from[i]));
    }
    THeapString Text() const { return THeapString(bytes.data(), static_cast<int>(bytes.size())); }

private:
    std::string bytes;
    std::vector<int>* origins; // borrowed; null when nobody asks
};

// The full-width form of a one-byte character when its class is in the mask.
bool FullFormOf(unsigned char byte, unsigned mask, unsigned& full)
{
    if (byte <= 25 || (byte >= 0x80 && byte <= 0xA0) || byte >= 0xE0) return false;
    if (byte >= '0' && byte <= '9') {
        full = FullDigitZero + (byte - '0');
        return (mask & WidthDigits) != 0;
    }
    if (byte >= 'A' && byte <= 'Z') {
        full = FullCapitalA + (byte - 'A');
        return (mask & WidthUpper) != 0;
    }
    if (byte >= 'a' && byte <= 'z') {
        full = FullSmallA + (byte - 'a');
        return (mask & WidthLower) != 0;
    }
    if (const TSymbolPair* symbol = FindHalf(SymbolPairs, byte)) {
        full = symbol->full;
        return (mask & WidthSymbols) != 0;
    }
    const TKanaPair* kana = FindHalf(KanaPunctuation, byte);
    if (!kana) kana = FindHalf(Katakana, byte);
    if (!kana) return false;
    full = kana->full;
    return (mask & WidthKana) != 0;
}

// The half-width form of a two-byte character (voiced kana aside) when its class is in the mask.
bool HalfFormOf(unsigned code, unsigned mask, unsigned char& half)
{
    if (code < FirstPairedCode || code > LastPairedCode) return false; // kanji and the like
    if (code >= FullDigitZero && code <= FullDigitZero + 9) {
        half = static_cast<unsigned char>('0' + (code - FullDigitZero));
        return (mask & WidthDigits) != 0;
    }
    if (code >= FullCapitalA && code <= FullCapitalA + 25) {
        half = static_cast<unsigned char>('A' + (code - FullCapitalA));
        return (mask & WidthUpper) != 0;
    }
    if (code >= FullSmallA && code <= FullSmallA + 25) {
        half = static_cast<unsigned char>('a' + (code - FullSmallA));
        return (mask & WidthLower) != 0;
    }
    if (const TSymbolPair* symbol = FindFull(SymbolPairs, code)) {
        half = symbol->half;
        return symbol->reversible && (mask & WidthSymbols) != 0;
    }
    const TKanaPair* kana = FindFull(KanaPunctuation, code);
    if (!kana) kana = FindFull(Katakana, code);
    if (!kana) return false;
    half = kana->half;
    return (mask & WidthKana) != 0;
}

// A half-width kana and the voicing mark after it, as one full-width character.
bool PutVoicedFull(const char* text, int position, int length, unsigned mask, TWidthOutput& out)
{
    if (position + 1 >= length) return false;
    const TVoicedKana* kana = FindVoiced(static_cast<unsigned char>(text[position]),
                                         static_cast<unsigned char>(text[position + 1]));
    if (!kana) return false;
    if (mask & WidthKana) out.PutCode(position, kana->full);
    else out.Copy(position, text + position, 2);
    return true;
}

THeapString FullWidth(const char* text, unsigned mask)
{
    TWidthOutput out(nullptr);
    const int length = text ? static_cast<int>(std::strlen(text)) : 0;
    for (int position = 0; position < length;) {
        const int step = CharLength(length - position, text + position);
        if (step == 2) {
            out.Copy(position, text + position, 2);
        } else if (PutVoicedFull(text, position, length, mask, out)) {
            position += 2;
            continue;
        } else {
            const unsigned char byte = static_cast<unsigned char>(text[position]);
            unsigned full = 0;
            if (FullFormOf(byte, mask, full)) out.PutCode(position, full);
            else out.Put(position, byte);
        }
        position += step;
    }
    return out.Text();
}

// `origins`, when given, receives for each output byte the offset of its source character.
THeapString HalfWidth(const char* text, unsigned mask, std::vector<int>* origins)
{
    TWidthOutput out(origins);
    const int length = text ? static_cast<int>(std::strlen(text)) : 0;
    for (int position = 0; position < length;) {
        const int step = CharLength(length - position, text + position);
        const unsigned code = step == 2 ? CodeAt(text + position) : 0;
        const bool paired = code >= FirstPairedCode && code <= LastPairedCode;
        const TVoicedKana* voiced = paired ? FindFull(VoicedKana, code) : nullptr;
        unsigned char half = 0;
        if (voiced && (mask & WidthKana)) {
            out.Put(position, voiced->base);
            out.Put(position, voiced->mark);
        } else if (step == 2 && !voiced && HalfFormOf(code, mask, half)) {
            out.Put(position, half);
        } else {
            out.Copy(position, text + position, step);
        }
        position += step;
    }
    return out.Text();
}

// Letters of one case, one-byte or full-width, moved to the other case.
THeapString ChangeCase(const char* text, bool toUpper)
{
    const char first = toUpper ? 'a' : 'A';
    const unsigned fullFirst = toUpper ? FullSmallA : FullCapitalA;
    const int shift = toUpper ? 'A' - 'a' : 'a' - 'A';
    const int fullShift = toUpper ? -static_cast<int>(FullLatinCaseShift) : static_cast<int>(FullLatinCaseShift);
    TWidthOutput out(nullptr);
    const int length = text ? static_cast<int>(std::strlen(text)) : 0;
    for (int position = 0; position < length;) {
        const int step = CharLength(length - position, text + position);
        const char byte = text[position];
        const unsigned code = step == 2 ? CodeAt(text + position) : 0;
        if (step == 1 && byte >= first && byte <= first + 25) {
            out.Put(position, static_cast<unsigned char>(byte + shift));
        } else if (step == 2 && code >= fullFirst && code <= fullFirst + 25) {
            out.PutCode(position, code + fullShift);
        } else {
            out.Copy(position, text + position, step);
        }
        position += step;
    }
    return out.Text();
}

// True when `position` falls inside a two-byte character (inside a CR LF pair is allowed:
// the line-break bytes are characters of their own to a caller searching for them).
bool SplitsCharacter(const char* text, int length, int position)
{
    int unit = 0;
    while (unit < position) {
        const int step = CharLength(length - unit, text + unit);
        if (unit + step > position) return IsLeadByte(static_cast<unsigned char>(text[unit]));
        unit += step;
    }
    return false;
}

bool MatchesAt(const THeapString& text, int position, const THeapString& pattern)
{
    const int patternLength = pattern.Length();
    return position >= 0 && position + patternLength <= text.Length() &&
           std::memcmp(text.Text() + position, pattern.Text(), static_cast<size_t>(patternLength)) == 0 &&
           !SplitsCharacter(text, text.Length(), position + patternLength);
}

int FindBytes(const THeapString& text, const THeapString& pattern)
{
    const char* found = std::strstr(text, pattern);
    return found ? static_cast<int>(found - text.Text()) : NoMatch;
}

int FindChars(const THeapString& text, const THeapString& pattern)
{
    const int length = text.Length();
    for (int position = 0; position <= length;) {
        if (MatchesAt(text, position, pattern)) return position;
        if (position == length) break;
        position += CharLength(length - position, text.Text() + position);
    }
    return NoMatch;
}

int MatchConverted(const THeapString& text, const THeapString& pattern, unsigned flags)
{
    if (flags & MatchWhole) return text == pattern ? 0 : NoMatch;
    if (flags & MatchFind) return (flags & MatchBytes) ? FindBytes(text, pattern) : FindChars(text, pattern);
    if (flags & MatchPrefix) return MatchesAt(text, 0, pattern) ? 0 : NoMatch;
    if (flags & MatchSuffix) {
        const int start = text.Length() - pattern.Length();
        return MatchesAt(text, start, pattern) && !SplitsCharacter(text, text.Length(), start) ? start : NoMatch;
    }
    return NoMatch;
}

} // namespace

THeapString ToFullWidth(const char* text, unsigned mask) { return FullWidth(text, mask); }

THeapString ToHalfWidth(const char* text, unsigned mask) { return HalfWidth(text, mask, nullptr); }

THeapString ToFullWidth(const THeapString& text) { return FullWidth(text, WidthAll); }

THeapString ToHalfWidth(const THeapString& text) { return HalfWidth(text, WidthAll, nullptr); }

THeapString ToUpper(const char* text) { return ChangeCase(text, true); }

THeapString ToLower(const char* text) { return ChangeCase(text, false); }

int TextMatch(const char* text, const char* pattern, unsigned flags)
{
    if (!(flags & MatchEnabled)) return NoMatch;
    THeapString subject(text);
    THeapString wanted(pattern);
    std::vector<int> origins; // offsets in `text` of the converted subject's bytes
    const bool converted = (flags & MatchIgnoreWidth) != 0;
    if (converted) {
        subject = HalfWidth(text, WidthAll, &origins);
        wanted = HalfWidth(pattern, WidthAll, nullptr);
    }
    if (flags & MatchIgnoreCase) { // keeps every byte where it was
        subject = ToUpper(subject);
        wanted = ToUpper(wanted);
    }
    const int found = MatchConverted(subject, wanted, flags);
    if (found == NoMatch || !converted) return found;
    return found < static_cast<int>(origins.size()) ? origins[found] : static_cast<int>(std::strlen(text));
}

TWidthConversion ConversionForVersion(std::uint32_t version)
{
    constexpr std::uint32_t LastHalfWidthVersion = 4u << 24 | 10u << 16 | 1997u; // 67,766,221
    if (version > LastHalfWidthVersion) return ToFullWidth;
    return ToHalfWidth;
}

THeapString ConvertOutsideQuotes(const char* text, TWidthConversion conversion, unsigned mask)
{
    std::string result;
    const int length = text ? static_cast<int>(std::strlen(text)) : 0;
    for (int position = 0; position < length;) {
        int quote = position;
        while (quote < length && text[quote] != '"') quote += CharLength(length - quote, text + quote);
        result += conversion(THeapString(text + position, quote - position), mask).Text();
        if (quote == length) break;
        int close = quote + 1;
        while (close < length && text[close] != '"') close += CharLength(length - close, text + close);
        if (close < length) ++close; // the closing quote stays with the quoted part
        result.append(text + quote, static_cast<size_t>(close - quote));
        position = close;
    }
    return THeapString(result.data(), static_cast<int>(result.size()));
}
