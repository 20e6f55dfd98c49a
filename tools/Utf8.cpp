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

// Latin-1 Supplement and Latin Extended-A letters without their marks.
std::string_view latinBase(char32_t c)
{
    static constexpr std::string_view latin1[] = {
        "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I", "I", // C0-CF
        "D", "N", "O", "O", "O", "O", "O", "x", "O", "U", "U", "U", "U", "Y", "Th", "ss", // D0-DF
        "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i", // E0-EF
        "d", "n", "o", "o", "o", "o", "o", "/", "o", "u", "u", "u", "u", "y", "th", "y", // F0-FF
    };
    if (c >= 0xC0 && c <= 0xFF)
        return latin1[c - 0xC0];
    if (c >= 0x100 && c <= 0x17F) {
        static const char base[]
            = "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIiJjJjKkkLlLlLlLlLlNnNnNnnNnOoOoOo"
              "OoRrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";
        const std::size_t i = c - 0x100;
        if (i < sizeof(base) - 1)
            return std::string_view(base + i, 1);
    }
    return {};
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
