#include "tools/EntryText.h"

#include "tools/Romanizer.h"
#include "tools/Utf8.h"

#include <algorithm>
#include <cctype>

namespace velmora::dicbuild {

namespace {

bool isAsciiLetter(char32_t c)
{
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
}

// Letters and the vowel signs, nukta and halant that only follow a letter.
bool isDevanagariLetter(char32_t c)
{
    return (c >= 0x0904 && c <= 0x0939) || (c >= 0x0958 && c <= 0x0961) || c == 0x0950 || c == 0x0972;
}

bool isDependentSign(char32_t c)
{
    return (c >= 0x0900 && c <= 0x0903) || c == 0x093C || (c >= 0x093E && c <= 0x094D) || c == 0x0962
        || c == 0x0963;
}

bool isJoiner(char32_t c)
{
    return c == 0x200C || c == 0x200D;
}

// Vowel signs that stand where no letter carries them: the mark of text
// typed in a legacy font encoding and not converted.
bool garbled(const std::u32string &s)
{
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (!isDependentSign(s[i]))
            continue;
        const bool vowelSign = s[i] >= 0x093E && s[i] <= 0x094C;
        if (vowelSign && i > 0 && ((s[i - 1] >= 0x0904 && s[i - 1] <= 0x0914) || s[i - 1] == 0x0972))
            return true; // a vowel sign on a vowel letter
        std::size_t j = i;
        while (j > 0 && isJoiner(s[j - 1]))
            --j;
        if (j == 0)
            return true;
        const char32_t before = s[j - 1];
        if (!isDevanagariLetter(before) && !isDependentSign(before))
            return true;
    }
    return false;
}

// WX transliteration uses capitals inside words (garIba, SarAba), and text
// typed in a legacy font shows as runs like "KKPP" or "Akqwi": such a word
// is not a meaning anyone can read. Short abbreviations (US, TV) are fine.
bool hasWxWord(const std::u32string &s)
{
    for (std::size_t b = 0; b < s.size();) {
        if (!isAsciiLetter(s[b])) {
            ++b;
            continue;
        }
        std::size_t e = b;
        bool allUpper = true;
        bool innerUpper = false;
        bool qWithoutU = false;
        for (; e < s.size() && isAsciiLetter(s[e]); ++e) {
            const bool upper = s[e] >= U'A' && s[e] <= U'Z';
            allUpper = allUpper && upper;
            innerUpper = innerUpper || (upper && e > b);
            if ((s[e] == U'q' || s[e] == U'Q')
                && !(e + 1 < s.size() && (s[e + 1] == U'u' || s[e + 1] == U'U')))
                qWithoutU = true;
        }
        if ((innerUpper && !(allUpper && e - b <= 3)) || (qWithoutU && e - b >= 3))
            return true;
        b = e;
    }
    for (std::size_t i = 1; i < s.size(); ++i)
        if (s[i] >= U'A' && s[i] <= U'Z' && s[i - 1] >= U'a' && s[i - 1] <= U'z')
            return true;
    for (std::size_t i = 2; i < s.size(); ++i)
        if (s[i] >= U'a' && s[i] <= U'z' && s[i - 1] >= U'A' && s[i - 1] <= U'Z' && s[i - 2] >= U'a'
            && s[i - 2] <= U'z')
            return true;
    return false;
}

void replaceAll(std::string &s, std::string_view from, std::string_view to)
{
    std::size_t pos = 0;
    while ((pos = s.find(from, pos)) != std::string::npos) {
        s.replace(pos, from.size(), to);
        pos += to.size();
    }
}

std::string tidy(std::string s)
{
    s = squeezeSpaces(s);
    bool changed = true;
    while (changed) {
        const std::string before = s;
        replaceAll(s, " ,", ",");
        replaceAll(s, " .", ".");
        replaceAll(s, " ;", ";");
        replaceAll(s, "( ", "(");
        replaceAll(s, " )", ")");
        replaceAll(s, "()", "");
        replaceAll(s, "/ ", "/");
        replaceAll(s, " /", "/");
        replaceAll(s, "//", "/");
        replaceAll(s, ",,", ",");
        replaceAll(s, "..", ".");
        replaceAll(s, "  ", " ");
        changed = s != before;
    }
    // A comma or a closing bracket is followed by a space, an opening one
    // preceded by one.
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '(' && !out.empty() && out.back() != ' ' && out.back() != '(' && out.back() != '/')
            out.push_back(' ');
        out.push_back(c);
        if ((c == ',' || c == ')') && i + 1 < s.size() && s[i + 1] != ' ' && s[i + 1] != ','
            && s[i + 1] != ')' && s[i + 1] != '.' && s[i + 1] != ';'
            && !std::isdigit(static_cast<unsigned char>(s[i + 1])))
            out.push_back(' ');
    }
    s = squeezeSpaces(out);
    while (!s.empty()
        && (s.back() == ',' || s.back() == '.' || s.back() == ';' || s.back() == '/' || s.back() == '-'
            || s.back() == ' '))
        s.pop_back();
    while (!s.empty()
        && (s.front() == ',' || s.front() == '.' || s.front() == ';' || s.front() == '/' || s.front() == '-'
            || s.front() == ' ' || s.front() == ')'))
        s.erase(s.begin());
    return s;
}

// An example whose last word cannot end a sentence was cut off.
bool cutOff(std::string_view text)
{
    static constexpr std::string_view open[] = { "a", "an", "and", "because", "its", "of", "or", "our",
        "than", "the", "their", "very", "whose", "your" };
    std::size_t e = text.size();
    while (e > 0 && !std::isalpha(static_cast<unsigned char>(text[e - 1])))
        --e;
    std::size_t b = e;
    while (b > 0 && std::isalpha(static_cast<unsigned char>(text[b - 1])))
        --b;
    return b > 0
        && std::find(std::begin(open), std::end(open), asciiLower(text.substr(b, e - b))) != std::end(open);
}

bool isDigit(char32_t c)
{
    return (c >= U'0' && c <= U'9') || (c >= 0x0966 && c <= 0x096F);
}

// Digits typed into a word by slip ("मिटाना९", "3परिवार", "गुला०ब"): a single
// digit touching Devanagari is dropped; a longer number ("50सेन्ट") is kept
// and set apart by a space.
std::u32string separateDigits(const std::u32string &s)
{
    std::u32string out;
    for (std::size_t i = 0; i < s.size();) {
        if (!isDigit(s[i])) {
            out.push_back(s[i++]);
            continue;
        }
        std::size_t e = i;
        while (e < s.size() && isDigit(s[e]))
            ++e;
        const bool before = i > 0 && isDevanagari(s[i - 1]);
        const bool after = e < s.size() && isDevanagari(s[e]);
        if ((before || after) && e - i == 1) {
            i = e;
            continue;
        }
        if (before)
            out.push_back(U' ');
        out.append(s, i, e - i);
        if (after)
            out.push_back(U' ');
        i = e;
    }
    return out;
}

// Printable ASCII, "|" as "/", single spaces; empty for a text with
// Devanagari in it.
std::string asciiText(std::string_view raw)
{
    const std::u32string s = decodeUtf8(raw);
    if (hasDevanagari(s))
        return {};
    std::string text = foldToAscii(s);
    std::replace(text.begin(), text.end(), '|', '/');
    return squeezeSpaces(text);
}

bool hasLetter(std::string_view s)
{
    return std::any_of(
        s.begin(), s.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)); });
}

} // namespace

std::string formatSense(std::string_view rawSense, const std::set<std::u32string> *fullSpelling)
{
    std::u32string s = separateDigits(decodeUtf8(rawSense));
    if (std::none_of(s.begin(), s.end(), isDevanagariLetter) || garbled(s) || hasWxWord(s))
        return {};

    // Latin letters touching Devanagari are slips ("स्याहीr", "माZजना").
    std::u32string cleaned;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (isAsciiLetter(s[i])) {
            std::size_t b = i;
            while (b > 0 && isAsciiLetter(s[b - 1]))
                --b;
            std::size_t e = i;
            while (e + 1 < s.size() && isAsciiLetter(s[e + 1]))
                ++e;
            const bool touchesBefore = b > 0 && isDevanagari(s[b - 1]);
            const bool touchesAfter = e + 1 < s.size() && isDevanagari(s[e + 1]);
            if ((touchesBefore || touchesAfter) && e - b < 2)
                continue;
        }
        cleaned.push_back(s[i]);
    }

    // Brackets: {note} and (note) become "(note)"; word[alternative] becomes
    // "word/alternative"; a bracket opened after a space is a note too.
    std::u32string out;
    std::vector<char32_t> open; // the closer each open bracket expects: ')' or 0 for an alternative
    for (std::size_t i = 0; i < cleaned.size(); ++i) {
        char32_t c = cleaned[i];
        switch (c) {
        case U'~':
        case U'_':
        case U'\t':
            out.push_back(U' ');
            break;
        case U'{':
        case U'(':
            out += U" (";
            open.push_back(U')');
            break;
        case U'[': {
            const bool afterWord = !out.empty() && out.back() != U' ' && out.back() != U'(';
            if (afterWord) {
                out.push_back(U'/');
                open.push_back(0);
            } else {
                out.push_back(U'(');
                open.push_back(U')');
            }
            break;
        }
        case U'}':
        case U')':
        case U']':
            if (!open.empty()) {
                if (open.back() == U')')
                    out += U") ";
                else
                    out.push_back(U' ');
                open.pop_back();
            }
            break;
        case U'?':
        case U'^':
        case U'<':
        case U'>':
        case U'"':
        case U'\'':
        case 0x2018:
        case 0x2019:
        case 0x201C:
        case 0x201D:
            break; // stray marks, never part of a meaning
        case U'|':
            out.push_back(U'/');
            break;
        default:
            out.push_back(c);
            break;
        }
    }
    while (!open.empty()) {
        if (open.back() == U')')
            out.push_back(U')');
        open.pop_back();
    }
    std::string roman = tidy(romanize(encodeUtf8(out), fullSpelling));
    if (!hasLetter(roman))
        return {};
    return roman;
}

std::string formatMeaning(
    const std::vector<std::string> &rawSenses, const std::set<std::u32string> *fullSpelling)
{
    std::vector<std::string> seen;
    std::string meaning;
    for (const std::string &raw : rawSenses) {
        std::string sense = formatSense(raw, fullSpelling);
        if (sense.empty() || std::find(seen.begin(), seen.end(), sense) != seen.end())
            continue;
        if (!meaning.empty())
            meaning += "; ";
        meaning += sense;
        seen.push_back(std::move(sense));
    }
    return meaning;
}

std::string formatExample(std::string_view rawExample)
{
    // The dictionary explains Hindi words to English readers: an example in
    // Hindi (or with Hindi in it) shows nothing the meaning does not.
    std::string text = asciiText(rawExample);
    for (const auto &[from, to] : { std::pair<std::string_view, std::string_view> { " .", "." },
             { " ,", "," }, { " ?", "?" }, { " !", "!" }, { "( ", "(" }, { " )", ")" } })
        replaceAll(text, from, to);
    // Surrounding quotes left from doubled quoting.
    while (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = squeezeSpaces(text.substr(1, text.size() - 2));
    if (text.starts_with("--") || text.find("\",\"") != std::string::npos || text.find('"') == 0)
        return {};
    if (!hasLetter(text) || text.find(' ') == std::string::npos || cutOff(text))
        return {};
    text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text;
}

std::string firstExample(const std::vector<std::string> &rawExamples)
{
    for (const std::string &raw : rawExamples) {
        std::string example = formatExample(raw);
        if (!example.empty())
            return example;
    }
    return {};
}

std::string formatHeadword(std::string_view rawHeadword)
{
    std::string text = asciiText(rawHeadword);
    // "watch_dog", "book~keeper", "flag[stone]": the source's word joiners
    // and brackets stand for spaces.
    for (char &c : text)
        if (c == '_' || c == '~' || c == '[' || c == ']')
            c = ' ';
    text = squeezeSpaces(text);
    // A homonym number ("pallet1", "pallet2") is not part of the word.
    std::size_t end = text.size();
    while (end > 0 && std::isdigit(static_cast<unsigned char>(text[end - 1])))
        --end;
    if (end > 0 && end < text.size() && std::isalpha(static_cast<unsigned char>(text[end - 1])))
        text.erase(end);
    return text;
}

} // namespace velmora::dicbuild
