#include "tools/EntryParser.h"

#include "tools/Utf8.h"

#include <algorithm>
#include <cctype>

namespace velmora::dicbuild {

namespace {

// "12. text" -> true and the text after the number and dot.
bool senseLine(std::string_view line, std::string_view &text)
{
    std::size_t i = 0;
    while (i < line.size() && std::isdigit(static_cast<unsigned char>(line[i])))
        ++i;
    if (i == 0 || i >= line.size() || line[i] != '.')
        return false;
    text = trimmed(line.substr(i + 1));
    return true;
}

bool isLower(char c)
{
    return c >= 'a' && c <= 'z';
}

// Words that never end an English sentence: an example ending in one was
// cut where the source wrapped it.
bool endsWithOpenWord(std::string_view text)
{
    static constexpr std::string_view open[] = { "a", "an", "and", "any", "are", "as", "at", "because", "but",
        "by", "for", "from", "her", "his", "in", "into", "is", "its", "of", "on", "or", "our", "some", "than",
        "that", "the", "their", "through", "to", "was", "were", "which", "who", "with", "your" };
    std::size_t b = text.size();
    while (b > 0 && std::isalpha(static_cast<unsigned char>(text[b - 1])))
        --b;
    return std::find(std::begin(open), std::end(open), asciiLower(text.substr(b))) != std::end(open);
}

// The source wraps long example sentences onto a second quoted line:
//   "The company has accrued so much debt that there are chances of its becoming"
//   "bankrupt."
// and sometimes puts a stray full stop at the break ("... tragedy for the."
// + "whole nation."). Separate short examples ("bright greens" + "bright
// silver candlesticks") stay apart. A wrapped line is long, or ends with a
// space inside its quotes, or ends with a word no sentence ends with; what
// follows begins in lower case, or with a name after such a word.
bool wrapsOnto(std::string_view first, std::string_view next)
{
    const std::string_view a = trimmed(first);
    const std::string_view b = trimmed(next);
    if (a.empty() || b.empty() || hasDevanagari(a) || hasDevanagari(b))
        return false;
    if (b == ".")
        return true;
    if (b.find('"') != std::string_view::npos || b.find("--") != std::string_view::npos)
        return false;
    const bool longLine = a.size() >= 56;
    const bool spaceInside = first.back() == ' ' || first.back() == '\t';
    if (!isLower(b.front())) {
        // A name goes on a long line cut after "in", "the"...: "... the
        // cyclonic situation in" + "Orissa ."
        return std::isupper(static_cast<unsigned char>(b.front()))
            && std::isalpha(static_cast<unsigned char>(a.back())) && (longLine || spaceInside)
            && endsWithOpenWord(a);
    }
    if (a.back() == '-' && a.size() >= 2 && std::isalpha(static_cast<unsigned char>(a[a.size() - 2])))
        return true; // a word broken at a hyphen
    if (a.back() == '.') {
        const std::string_view before = trimmed(a.substr(0, a.size() - 1));
        return std::isupper(static_cast<unsigned char>(a.front()))
            && (endsWithOpenWord(before) || a.size() >= 62);
    }
    if (a.back() == '?' || a.back() == '!' || a.back() == '"')
        return false;
    return longLine || spaceInside || endsWithOpenWord(a);
}

std::string joinWrapped(std::string_view first, std::string_view next)
{
    std::string a(trimmed(first));
    const std::string_view b = trimmed(next);
    if (b == ".")
        return a.back() == '.' ? a : a + '.';
    if (a.back() == '-') {
        a.pop_back();
        return a + std::string(b);
    }
    if (a.back() == '.')
        a.pop_back();
    return std::string(trimmed(a)) + ' ' + std::string(b);
}

} // namespace

bool parseEntry(std::string_view text, RawEntry &entry)
{
    entry = RawEntry {};
    const std::vector<std::string_view> lines = splitText(text, "\n");
    std::string_view head = trimmed(lines.front());
    if (head.empty() || head.back() != '>')
        return false;
    const std::size_t open = head.rfind('<');
    if (open == std::string_view::npos)
        return false;
    entry.partOfSpeech = std::string(trimmed(head.substr(open + 1, head.size() - open - 2)));
    head = trimmed(head.substr(0, open));
    // A pronunciation " /.../" ends the headword.
    if (!head.empty() && head.back() == '/') {
        const std::size_t slash = head.find(" /");
        if (slash != std::string_view::npos)
            head = trimmed(head.substr(0, slash));
    }
    entry.headword = std::string(head);
    if (entry.partOfSpeech.empty())
        return false;

    bool inExample = false;
    bool afterExample = false; // the previous line closed an example
    std::string example;
    auto addExample = [&](std::string text) {
        if (afterExample && !entry.examples.empty() && wrapsOnto(entry.examples.back(), text))
            entry.examples.back() = joinWrapped(entry.examples.back(), text);
        else
            entry.examples.push_back(std::move(text));
        afterExample = true;
    };
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const std::string_view body = trimmed(line);
        if (inExample) {
            if (!body.empty() && body.back() == '"') {
                example += ' ';
                example += body.substr(0, body.size() - 1);
                addExample(example);
                inExample = false;
            } else {
                example += ' ';
                example += body;
            }
            continue;
        }
        if (body.empty())
            continue;
        std::string_view senseText;
        const bool exampleLine
            = body.front() == '"' && !line.empty() && (line.front() == ' ' || line.front() == '\t');
        if (!exampleLine)
            afterExample = false;
        if (senseLine(body, senseText)) {
            entry.senses.emplace_back(senseText);
        } else if (exampleLine) {
            std::string_view inner = body.substr(1);
            if (!inner.empty() && inner.back() == '"') {
                inner.remove_suffix(1);
                addExample(std::string(inner));
            } else {
                example = std::string(inner);
                inExample = true;
            }
        } else if (hasDevanagari(body)) {
            if (entry.senses.empty())
                entry.senses.emplace_back(body);
            else
                entry.senses.back() += ' ' + std::string(body);
        }
    }
    if (inExample)
        entry.examples.push_back(example);
    return true;
}

} // namespace velmora::dicbuild
