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
// letter and marks (Ŀ and ŉ split into a letter and a dot or an apostrophe).
std::string_view ownAscii(char32_t c)
{
    static constexpr std::pair<std::u32string_view, std::string_view> rows[] = {
        { U"\u2018\u2019\u201A\u201B\u2032\u00B4", "'" }, // single quotes, prime, acute accent
        { U"\u201C\u201D\u201E\u201F\u2033\u00AB\u00BB", "\"" }, // double quotes, double prime, guillemets
        { U"\u2010\u2011\u2012\u2013\u2212\u00AD", "-" }, // hyphens, figure and en dash, minus, soft hyphen
        { U"\u2014\u2015", "--" }, // em dash, horizontal bar
        { U"\u00D7", "x" },
        { U"\u00F7", "/" },
        { U"\u2022\u00B7", "*" }, // bullet, middle dot
        { U"\u0964\u0965", "." }, // Devanagari danda, double danda
        { U"Æ", "AE" },
        { U"æ", "ae" },
        { U"ÐĐ", "D" },
        { U"ðđ", "d" },
        { U"ØŒ", "O" },
        { U"øœ", "o" },
        { U"Þ", "Th" },
        { U"þ", "th" },
        { U"ß", "ss" },
        { U"Ħ", "H" },
        { U"ħ", "h" },
        { U"ı", "i" },
        { U"ĸ", "k" },
        { U"ĿŁ", "L" },
        { U"ŀł", "l" },
        { U"Ŋ", "N" },
        { U"ŋŉ", "n" },
        { U"Ŧ", "T" },
        { U"ŧ", "t" },
    };
    for (const auto &[from, to] : rows)
        if (from.find(c) != std::u32string_view::npos)
            return to;
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
