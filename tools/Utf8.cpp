#include "tools/Utf8.h"

#include <QString>

namespace velmora::dicbuild {

std::u32string decodeUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toStdU32String();
}

std::string encodeUtf8(std::u32string_view text)
{
    return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size())).toStdString();
}

bool isDevanagari(char32_t c)
{
    return c >= 0x0900 && c <= 0x097F;
}

namespace {

// Letters that Unicode does not decompose into a base letter and marks.
std::string_view undecomposedLetter(char32_t c)
{
    switch (c) {
    case 0xC6: // Æ
        return "AE";
    case 0xE6:
        return "ae";
    case 0xD0: // Ð
    case 0x110: // Đ
        return "D";
    case 0xF0:
    case 0x111:
        return "d";
    case 0xD8: // Ø
        return "O";
    case 0xF8:
        return "o";
    case 0xDE: // Þ
        return "Th";
    case 0xFE:
        return "th";
    case 0xDF: // ß
        return "ss";
    case 0xF7: // ÷
        return "/";
    case 0x126: // Ħ
        return "H";
    case 0x127:
        return "h";
    case 0x131: // dotless i
        return "i";
    case 0x138: // kra
        return "k";
    case 0x141: // Ł
        return "L";
    case 0x142:
        return "l";
    case 0x14A: // Ŋ
        return "N";
    case 0x14B:
        return "n";
    case 0x152: // Œ
        return "O";
    case 0x153:
        return "o";
    case 0x166: // Ŧ
        return "T";
    case 0x167:
        return "t";
    default:
        return {};
    }
}

// A Latin letter with marks as its ASCII base letters: Qt's compatibility
// decomposition splits off the marks, which are then dropped.
std::string latinBase(char32_t c)
{
    if (c < 0xC0 || c > 0x17F)
        return {};
    if (const std::string_view own = undecomposedLetter(c); !own.empty())
        return std::string(own);
    const QString decomposed = QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_KD);
    std::string out;
    for (const QChar ch : decomposed)
        if (ch.unicode() < 0x80 && ch.isLetter())
            out.push_back(static_cast<char>(ch.unicode()));
    return out;
}

} // namespace

std::string foldToAscii(std::u32string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        switch (c) {
        case U'\t':
        case U'\n':
        case U'\r':
        case U'\v':
        case U'\f':
        case 0x00A0: // no-break space
        case 0x2002:
        case 0x2003:
        case 0x2009:
        case 0x200A:
        case 0x202F:
        case 0x3000:
            out.push_back(' ');
            break;
        case 0x2018: // left single quotation mark
        case 0x2019: // right single quotation mark
        case 0x201A:
        case 0x201B:
        case 0x2032: // prime
        case 0x00B4: // acute accent
        case 0x0060:
            out.push_back('\'');
            break;
        case 0x201C: // left double quotation mark
        case 0x201D: // right double quotation mark
        case 0x201E:
        case 0x201F:
        case 0x2033:
        case 0x00AB:
        case 0x00BB:
            out.push_back('"');
            break;
        case 0x2010: // hyphen
        case 0x2011: // non-breaking hyphen
        case 0x2012: // figure dash
        case 0x2013: // en dash
        case 0x2212: // minus sign
        case 0x00AD: // soft hyphen
            out.push_back('-');
            break;
        case 0x2014: // em dash
        case 0x2015: // horizontal bar
            out += "--";
            break;
        case 0x2026: // ellipsis
            out += "...";
            break;
        case 0x00D7: // multiplication sign
            out.push_back('x');
            break;
        case 0x2022: // bullet
        case 0x00B7:
            out.push_back('*');
            break;
        case 0x0964: // Devanagari danda
        case 0x0965:
            out.push_back('.');
            break;
        default:
            if (c >= 0x0966 && c <= 0x096F) { // Devanagari digits
                out.push_back(static_cast<char>('0' + (c - 0x0966)));
            } else {
                out += latinBase(c);
            }
            // Anything else (zero-width joiners, symbols, stray marks) is dropped.
            break;
        }
    }
    return out;
}

std::string squeezeSpaces(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    bool pendingSpace = false;
    for (char c : text) {
        if (c == ' ') {
            pendingSpace = !out.empty();
            continue;
        }
        if (pendingSpace)
            out.push_back(' ');
        pendingSpace = false;
        out.push_back(c);
    }
    return out;
}

} // namespace velmora::dicbuild
