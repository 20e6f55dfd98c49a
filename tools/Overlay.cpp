#include "tools/Overlay.h"

#include "tools/DicWriter.h"
#include "tools/PartOfSpeech.h"
#include "tools/Utf8.h"
#include "tools/WordFrequency.h"

#include <algorithm>
#include <set>
#include <stdexcept>

namespace velmora::dicbuild {

namespace {

std::string joined(const std::vector<std::string> &senses)
{
    std::string out;
    for (const std::string &s : senses) {
        if (!out.empty())
            out += "; ";
        out += s;
    }
    return out;
}

// Spellings that differ only in vowel length or v/w are one word
// (shaadi and shadi): the source's spelling is not kept beside ours.
std::string folded(std::string_view sense)
{
    std::string out;
    for (std::size_t i = 0; i < sense.size(); ++i) {
        const char c = sense[i];
        if ((c == 'a' || c == 'e' || c == 'o') && i + 1 < sense.size() && sense[i + 1] == c) {
            out.push_back(c == 'a' ? 'a' : c == 'e' ? 'i' : 'u');
            ++i;
        } else {
            out.push_back(c == 'w' ? 'v' : c);
        }
    }
    return out;
}

} // namespace

Overlay::Overlay(std::string_view text)
{
    std::set<std::pair<std::string, std::string>> seen;
    int number = 0;
    for (std::string_view raw : splitText(text, "\n")) {
        ++number;
        if (raw.ends_with('\r'))
            raw.remove_suffix(1);
        if (raw.empty() || raw.front() == '#')
            continue;
        const std::vector<std::string_view> f = splitText(raw, "\t");
        auto fail = [&](const std::string &why) {
            throw std::runtime_error("overlay line " + std::to_string(number) + ": " + why);
        };
        if (f.size() < 3 || f.size() > 4)
            fail("expected headword, code, meaning and an optional example separated by tabs");
        Line line;
        line.number = number;
        line.headword = f[0];
        line.code = f[1];
        line.meaning = f[2];
        line.example = f.size() > 3 ? f[3] : std::string_view();
        if (line.meaning.starts_with('=')) {
            line.replaces = true;
            line.meaning.erase(0, 1);
        }
        if (line.headword.empty() || line.meaning.empty())
            fail("empty headword or meaning");
        if (!isWordTypeCode(line.code))
            fail("unknown word-type code '" + line.code + "'");
        if (!isPrintableField(line.headword) || !isPrintableField(line.meaning)
            || !isPrintableField(line.example))
            fail("characters outside printable ASCII");
        if (!seen.insert({ line.headword, line.code }).second)
            fail("'" + line.headword + "' " + line.code + " is given twice");
        m_lines.push_back(std::move(line));
    }
}

std::vector<Overlay::Line> Overlay::apply(
    std::vector<DicEntry> &entries, const WordFrequency &frequency, int *changed) const
{
    std::vector<Line> stale;
    int count = 0;
    for (const Line &line : m_lines) {
        const auto it = std::find_if(entries.begin(), entries.end(),
            [&](const DicEntry &e) { return e.headword == line.headword && e.code == line.code; });
        if (it == entries.end()) {
            DicEntry e;
            e.headword = line.headword;
            e.code = line.code;
            e.meaning = line.meaning;
            e.example = line.example;
            e.sourceOrder = entries.size();
            e.frequency = frequency.count(line.headword, 0);
            e.closedClass = isClosedClass(line.code);
            e.pinned = true;
            entries.push_back(std::move(e));
            ++count;
            continue;
        }
        const std::vector<std::string_view> own = splitText(line.meaning, "; ");
        std::vector<std::string> senses(own.begin(), own.end());
        // Words the overlay gives, each alternative of each sense on its own.
        std::vector<std::string> given;
        for (const std::string_view sense : own)
            for (const std::string_view word : splitText(sense, ", "))
                given.push_back(folded(word));
        if (!line.replaces) {
            for (const std::string_view sense : splitText(it->meaning, "; ")) {
                std::vector<std::string_view> rest;
                for (const std::string_view word : splitText(sense, ", "))
                    if (std::find(given.begin(), given.end(), folded(word)) == given.end())
                        rest.push_back(word);
                if (rest.empty())
                    continue;
                std::string kept(rest.front());
                for (std::size_t k = 1; k < rest.size(); ++k)
                    kept.append(", ").append(rest[k]);
                senses.push_back(kept);
                given.push_back(folded(kept));
            }
        }
        const std::string meaning = joined(senses);
        const std::string example = line.example.empty() ? it->example : line.example;
        it->pinned = true;
        if (meaning == it->meaning && example == it->example) {
            stale.push_back(line);
            continue;
        }
        it->meaning = meaning;
        it->example = example;
        ++count;
    }
    if (changed)
        *changed = count;
    return stale;
}

} // namespace velmora::dicbuild
