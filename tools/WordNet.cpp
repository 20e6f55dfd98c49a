#include "tools/WordNet.h"

#include "tools/Utf8.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace velmora::dicbuild {

namespace {

// Lower case, spaces for WordNet's underscores.
std::string lower(std::string_view s)
{
    std::string out = asciiLower(s);
    std::replace(out.begin(), out.end(), '_', ' ');
    return out;
}

template <typename F> void forEachLine(std::string_view text, F f)
{
    for (const std::string_view line : splitText(text, "\n"))
        f(line);
}

bool number(std::string_view s, unsigned long &value, int base = 10)
{
    const auto r = std::from_chars(s.data(), s.data() + s.size(), value, base);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

// Words of a sentence, lower case, letters and apostrophes only.
std::vector<std::string> words(std::string_view sentence)
{
    std::vector<std::string> out;
    std::string word;
    for (char c : sentence) {
        if (std::isalpha(static_cast<unsigned char>(c)) || (c == '\'' && !word.empty())) {
            word.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
        } else if (!word.empty()) {
            out.push_back(word);
            word.clear();
        }
    }
    if (!word.empty())
        out.push_back(word);
    for (std::string &w : out) {
        if (w.ends_with("'s"))
            w.resize(w.size() - 2);
        while (!w.empty() && w.back() == '\'')
            w.pop_back();
    }
    return out;
}

// Regular inflections: books, boxes, cities, walked, baked, stopped, walking,
// baking, stopping, bigger, biggest.
std::vector<std::string> regularForms(const std::string &w)
{
    std::vector<std::string> out { w, w + "s", w + "es", w + "ed", w + "d", w + "ing", w + "er", w + "est",
        w + "r", w + "st" };
    if (w.size() >= 2 && w.back() == 'e') {
        const std::string stem = w.substr(0, w.size() - 1);
        out.push_back(stem + "ing");
    }
    if (w.size() >= 2 && w.back() == 'y') {
        const std::string stem = w.substr(0, w.size() - 1);
        for (const char *ending : { "ies", "ied", "ier", "iest", "ily" })
            out.push_back(stem + ending);
    }
    if (w.size() >= 3) {
        const std::string doubled = w + w.back();
        for (const char *ending : { "ed", "ing", "er", "est" })
            out.push_back(doubled + ending);
    }
    return out;
}

// Function words WordNet does not list.
bool functionWord(std::string_view w)
{
    static const std::set<std::string_view> words { "a", "about", "above", "after", "against", "all", "am",
        "an", "and", "any", "are", "as", "at", "be", "because", "been", "before", "being", "below", "between",
        "both", "but", "by", "can", "could", "did", "do", "does", "doing", "down", "during", "each", "few",
        "for", "from", "had", "has", "have", "having", "he", "her", "here", "hers", "herself", "him",
        "himself", "his", "how", "i", "if", "in", "into", "is", "it", "its", "itself", "me", "might", "mine",
        "more", "most", "must", "my", "myself", "no", "nor", "not", "of", "off", "on", "once", "only", "or",
        "other", "our", "ours", "ourselves", "out", "over", "own", "same", "shall", "she", "should", "so",
        "some", "such", "than", "that", "the", "their", "theirs", "them", "themselves", "then", "there",
        "these", "they", "this", "those", "through", "to", "too", "under", "until", "up", "upon", "very",
        "was", "we", "were", "what", "when", "where", "which", "while", "who", "whom", "whose", "why", "will",
        "with", "would", "you", "your", "yours", "yourself", "yourselves", "s", "t", "don", "didn", "doesn",
        "isn", "wasn", "won", "can't", "cannot", "let", "us", "whether", "although", "though", "yet", "since",
        "unless", "within", "without", "among", "across", "toward", "towards", "onto", "per" };
    return words.contains(w);
}

} // namespace

void WordNet::addIndex(char pos, std::string_view text)
{
    const int slot = wordNetSlot(pos);
    if (slot < 0)
        return;
    forEachLine(text, [&](std::string_view line) {
        if (line.empty() || line.front() == ' ')
            return; // licence header
        const std::vector<std::string_view> f = fields(line);
        unsigned long synsets = 0;
        if (f.size() < 4 || !number(f[2], synsets) || synsets == 0 || synsets > f.size())
            return;
        std::vector<unsigned long> offsets;
        for (std::size_t i = f.size() - synsets; i < f.size(); ++i) {
            unsigned long offset = 0;
            if (!number(f[i], offset))
                return;
            offsets.push_back(offset);
        }
        const std::string lemma = lower(f[0]);
        m_lemmas.insert(lemma);
        m_senses[slot][lemma] = std::move(offsets);
    });
}

void WordNet::addData(char pos, std::string_view text)
{
    const int slot = wordNetSlot(pos);
    if (slot < 0)
        return;
    forEachLine(text, [&](std::string_view line) {
        if (line.empty() || line.front() == ' ')
            return;
        const std::size_t bar = line.find(" | ");
        unsigned long offset = 0;
        if (bar == std::string_view::npos || !number(line.substr(0, line.find(' ')), offset))
            return;
        const std::string_view gloss = line.substr(bar + 3);
        std::vector<std::string> examples;
        std::size_t at = 0;
        while ((at = gloss.find('"', at)) != std::string_view::npos) {
            const std::size_t close = gloss.find('"', at + 1);
            if (close == std::string_view::npos)
                break;
            examples.emplace_back(gloss.substr(at + 1, close - at - 1));
            at = close + 1;
        }
        if (!examples.empty())
            m_examples[slot][offset] = std::move(examples);
    });
}

void WordNet::addExceptions(std::string_view text)
{
    forEachLine(text, [&](std::string_view line) {
        const std::vector<std::string_view> f = fields(line);
        if (f.size() < 2)
            return;
        const std::string form = lower(f[0]);
        m_irregular.insert(form);
        for (std::size_t i = 1; i < f.size(); ++i)
            m_inflections[lower(f[i])].push_back(form);
    });
}

bool WordNet::usesWord(std::string_view sentence, std::string_view lemma) const
{
    const std::vector<std::string> lemmaWords = words(lemma);
    if (lemmaWords.empty())
        return false;
    std::vector<std::string> forms = regularForms(lemmaWords.front());
    if (const auto it = m_inflections.find(lemmaWords.front()); it != m_inflections.end())
        forms.insert(forms.end(), it->second.begin(), it->second.end());
    const std::vector<std::string> w = words(sentence);
    for (std::size_t i = 0; i + lemmaWords.size() <= w.size(); ++i) {
        if (std::find(forms.begin(), forms.end(), w[i]) == forms.end())
            continue;
        if (std::equal(lemmaWords.begin() + 1, lemmaWords.end(), w.begin() + static_cast<long>(i) + 1))
            return true;
    }
    return false;
}

std::string WordNet::example(std::string_view headword, char pos) const
{
    const int slot = wordNetSlot(pos);
    if (slot < 0)
        return {};
    const auto senses = m_senses[slot].find(lower(headword));
    if (senses == m_senses[slot].end())
        return {};
    for (unsigned long offset : senses->second) {
        const auto ex = m_examples[slot].find(offset);
        if (ex == m_examples[slot].end())
            continue;
        for (const std::string &e : ex->second) {
            if (!usesWord(e, headword) || e.find(' ') == std::string::npos)
                continue;
            std::string out = e;
            while (!out.empty() && out.back() == ' ')
                out.pop_back();
            out[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(out[0])));
            return out;
        }
    }
    return {};
}

bool WordNet::knows(std::string_view word) const
{
    const std::string w = lower(word);
    if (w.empty() || functionWord(w) || m_lemmas.contains(w) || m_irregular.contains(w))
        return true;
    // Regular inflections of a lemma.
    for (const char *ending : { "s", "es", "ed", "d", "ing", "er", "est", "ly", "ies", "ied" }) {
        const std::string_view e = ending;
        if (w.size() > e.size() + 1 && w.ends_with(e)) {
            std::string stem = w.substr(0, w.size() - e.size());
            if (m_lemmas.contains(stem))
                return true;
            if ((e == "ies" || e == "ied") && m_lemmas.contains(stem + "y"))
                return true;
            if ((e == "ing" || e == "ed") && m_lemmas.contains(stem + "e"))
                return true;
            if (stem.size() >= 2 && stem.back() == stem[stem.size() - 2]
                && m_lemmas.contains(stem.substr(0, stem.size() - 1)))
                return true;
        }
    }
    return false;
}

bool WordNet::looksEnglish(std::string_view sentence) const
{
    const std::vector<std::string> w = words(sentence);
    if (w.empty())
        return false;
    std::size_t known = 0;
    for (const std::string &word : w)
        known += knows(word) ? 1 : 0;
    return known * 2 >= w.size();
}

int wordNetSlot(char pos)
{
    if (pos == 's' || pos == '5')
        return 2; // adjective satellites
    static constexpr std::string_view letters = "nvar";
    static constexpr std::string_view numbers = "1234";
    const std::size_t at
        = letters.find(pos) != std::string_view::npos ? letters.find(pos) : numbers.find(pos);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

char wordNetPos(std::string_view code)
{
    if (code == "n")
        return 'n';
    if (code == "a")
        return 'a';
    if (code == "adv")
        return 'r';
    if (code == "v" || code == "vt" || code == "vi" || code == "vti" || code == "phrv" || code == "phrvt"
        || code == "phrvi")
        return 'v';
    return 0;
}

} // namespace velmora::dicbuild
