#include "dictionary/WordTypes.h"

#include <array>
#include <utility>

namespace velmora::WordTypes {

namespace {

struct Row {
    const char16_t *code;
    const char16_t *name;
};

// Tested in this order; the first equal row wins.
constexpr std::array<Row, 28> kTable { {
    { u"a", u"Adjective" },
    { u"abbr:", u"Abbreviation" },
    { u"adv", u"Adverb" },
    { u"auxV", u"Auxiliary verb" },
    { u"comb form", u"Combination form" },
    { u"conj", u"Conjunct" },
    { u"det", u"Determiner" },
    { u"idm", u"Idiom" },
    { u"interj", u"Interjection" },
    { u"interro", u"Interrogative" },
    { u"mv", u"Modal verb" },
    { u"n", u"Noun" },
    { u"part", u"Particle" },
    { u"phrv", u"Phrasal verb" },
    { u"phrvi", u"Phrasal verb intransitive" },
    { u"phrvt", u"Phrasal verb transitive" },
    { u"pref", u"Prefix" },
    { u"prep", u"Preposition" },
    { u"pron", u"Pronoun" },
    { u"propn", u"Proper name" },
    { u"refl pron", u"Reflexive pronoun" },
    { u"rel pron", u"Relative pronoun" },
    { u"suffix", u"Suffix" },
    { u"v", u"Verb" },
    { u"vi", u"Verb intransitive" },
    { u"vneg", u"Verb negation" },
    { u"vt", u"Verb transitive" },
    { u"vti", u"Verb transitive, intransitive" },
} };

} // namespace

std::optional<QString> nameOf(const QString &code)
{
    const QString wanted = code.toLower();
    for (const Row &row : kTable) {
        if (QString::fromUtf16(row.code).toLower() == wanted)
            return QString::fromUtf16(row.name);
    }
    return std::nullopt;
}

} // namespace velmora::WordTypes
