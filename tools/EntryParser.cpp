#include "tools/EntryParser.h"

#include "tools/Utf8.h"

#include <algorithm>
#include <cctype>

namespace velmora::dicbuild {

namespace {

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

bool hasDevanagari(std::string_view utf8)
{
    const std::u32string text = decodeUtf8(utf8);
    return std::any_of(text.begin(), text.end(), isDevanagari);
}

// "12. text" -> true and the text after the number and dot.
bool senseLine(std::string_view line, std::string_view &text)
{
    std::size_t i = 0;
    while (i < line.size() && std::isdigit(static_cast<unsigned char>(line[i])))
        ++i;
    if (i == 0 || i >= line.size() || line[i] != '.')
        return false;
    text = trim(line.substr(i + 1));
    return true;
}

} // namespace

bool parseEntry(std::string_view text, RawEntry &entry)
{
    entry = RawEntry {};
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    if (lines.empty())
        return false;

    std::string_view head = trim(lines.front());
    if (head.empty() || head.back() != '>')
        return false;
    const std::size_t open = head.rfind('<');
    if (open == std::string_view::npos)
        return false;
    entry.partOfSpeech = std::string(trim(head.substr(open + 1, head.size() - open - 2)));
    head = trim(head.substr(0, open));
    // A pronunciation " /.../" ends the headword.
    if (!head.empty() && head.back() == '/') {
        const std::size_t slash = head.find(" /");
        if (slash != std::string_view::npos)
            head = trim(head.substr(0, slash));
    }
    entry.headword = std::string(head);
    if (entry.partOfSpeech.empty())
        return false;

    bool inExample = false;
    std::string example;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const std::string_view body = trim(line);
        if (inExample) {
            if (!body.empty() && body.back() == '"') {
                example += ' ';
                example += body.substr(0, body.size() - 1);
                entry.examples.push_back(example);
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
        if (senseLine(body, senseText)) {
            entry.senses.emplace_back(senseText);
        } else if (body.front() == '"' && !line.empty() && (line.front() == ' ' || line.front() == '\t')) {
            std::string_view inner = body.substr(1);
            if (!inner.empty() && inner.back() == '"') {
                inner.remove_suffix(1);
                entry.examples.emplace_back(inner);
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
