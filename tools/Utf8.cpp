#include "tools/Utf8.h"

#include <QString>

#include <algorithm>
#include <cctype>

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

bool hasDevanagari(std::u32string_view text)
{
    return std::any_of(text.begin(), text.end(), isDevanagari);
}

bool hasDevanagari(std::string_view utf8)
{
    return hasDevanagari(decodeUtf8(utf8));
}

namespace {

// Characters with an ASCII form that their compatibility decomposition does
// not give: punctuation, and letters Unicode does not split into a base
// letter and marks.
std::string_view ownAscii(char32_t c)
{
    struct Row {
        char32_t from;
        std::string_view to;
    };
    static constexpr Row rows[] = {
        { 0x2018, "'" }, // left single quotation mark
        { 0x2019, "'" }, // right single quotation mark
        { 0x201A, "'" },
        { 0x201B, "'" },
        { 0x2032, "'" }, // prime
        { 0x00B4, "'" }, // acute accent
        { 0x201C, "\"" }, // left double quotation mark
        { 0x201D, "\"" }, // right double quotation mark
        { 0x201E, "\"" },
        { 0x201F, "\"" },
        { 0x2033, "\"" },
        { 0x00AB, "\"" },
        { 0x00BB, "\"" },
        { 0x2010, "-" }, // hyphen
        { 0x2011, "-" }, // non-breaking hyphen
        { 0x2012, "-" }, // figure dash
        { 0x2013, "-" }, // en dash
        { 0x2212, "-" }, // minus sign
        { 0x00AD, "-" }, // soft hyphen
        { 0x2014, "--" }, // em dash
        { 0x2015, "--" }, // horizontal bar
        { 0x00D7, "x" }, // multiplication sign
        { 0x00F7, "/" }, // division sign
        { 0x2022, "*" }, // bullet
        { 0x00B7, "*" },
        { 0x0964, "." }, // Devanagari danda
        { 0x0965, "." },
        { 0x00C6, "AE" },
        { 0x00E6, "ae" },
        { 0x00D0, "D" }, // Ð
        { 0x0110, "D" }, // Đ
        { 0x00F0, "d" },
        { 0x0111, "d" },
        { 0x00D8, "O" }, // Ø
        { 0x00F8, "o" },
        { 0x00DE, "Th" }, // Þ
        { 0x00FE, "th" },
        { 0x00DF, "ss" },
        { 0x0126, "H" }, // Ħ
        { 0x0127, "h" },
        { 0x0131, "i" }, // dotless i
        { 0x0138, "k" }, // kra
        { 0x013F, "L" }, // Ŀ, whose middle dot is no mark
        { 0x0140, "l" },
        { 0x0141, "L" },
        { 0x0142, "l" },
        { 0x0149, "n" }, // ŉ
        { 0x014A, "N" }, // Ŋ
        { 0x014B, "n" },
        { 0x0152, "O" }, // Œ
        { 0x0153, "o" },
        { 0x0166, "T" }, // Ŧ
        { 0x0167, "t" },
    };
    for (const Row &row : rows)
        if (row.from == c)
            return row.to;
    return {};
}

// The ASCII of a character's compatibility decomposition when that is all
// it holds besides combining marks (é: e, ﬁ: fi, the ellipsis: ...), else
// nothing (½ decomposes with a fraction slash, ″ into two primes). The
// spacing accents (¨, ¸) decompose into a space and a mark: nothing too.
std::string compatibilityAscii(char32_t c)
{
    std::string out;
    for (const QChar ch : QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_KD)) {
        if (ch.unicode() > 0x20 && ch.unicode() < 0x7F)
            out.push_back(static_cast<char>(ch.unicode()));
        else if ((!ch.isMark() && ch.unicode() != 0x20) || ch.unicode() == 0x0338)
            return {}; // a letter ASCII lacks, or the overlay that negates (≠ is = with it)
    }
    return out;
}

} // namespace

std::string foldToAscii(std::u32string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text) {
        if (c >= 0x20 && c < 0x7F)
            out.push_back(static_cast<char>(c));
        else if (c < 0x20 || QChar::isSpace(c))
            out.push_back(' ');
        else if (const std::string_view own = ownAscii(c); !own.empty())
            out += own;
        else if (c >= 0x0966 && c <= 0x096F) // Devanagari digits
            out.push_back(static_cast<char>('0' + (c - 0x0966)));
        else
            out += compatibilityAscii(c);
    }
    return out;
}

std::string squeezeSpaces(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).simplified().toStdString();
}

std::string asciiLower(std::string_view text)
{
    std::string out(text);
    for (char &c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string_view> splitText(std::string_view text, std::string_view separator)
{
    std::vector<std::string_view> out;
    for (std::size_t pos = 0;;) {
        const std::size_t end = text.find(separator, pos);
        out.push_back(text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos));
        if (end == std::string_view::npos)
            return out;
        pos = end + separator.size();
    }
}

std::vector<std::string_view> fields(std::string_view line)
{
    std::vector<std::string_view> out;
    for (std::size_t pos = line.find_first_not_of(" \t\r"); pos != std::string_view::npos;) {
        const std::size_t end = line.find_first_of(" \t\r", pos);
        out.push_back(line.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos));
        pos = line.find_first_not_of(" \t\r", end == std::string_view::npos ? line.size() : end);
    }
    return out;
}

} // namespace velmora::dicbuild
