#include "tools/Romanizer.h"

#include "tools/Utf8.h"

#include <cctype>
#include <map>
#include <vector>

// How a Devanagari word becomes Roman letters, in three steps:
//
// 1. The word is cut into units: a consonant (with its nukta, if any) and
//    the vowel it carries, which is the inherent vowel (schwa), a vowel sign,
//    or nothing when a halant joins it to the next consonant; or an
//    independent vowel letter. Anusvara, chandrabindu and visarga attach to
//    the unit before them.
// 2. Schwa deletion decides which inherent vowels are not spoken:
//    - the word's last one is dropped (kamal, ghar), except in a one-letter
//      word (na) and after a conjunct that needs it (mitra, yogya, ratna,
//      but ant, dharm, poorn);
//    - then, from right to left, the schwa in the context
//      vowel, consonant, _ , consonant, vowel is dropped (samajhna, ladka,
//      bachpan, sarkar), one consonant on each side, so no deletion creates
//      a cluster of three and no two neighbouring syllables lose theirs;
//    - the schwa before a word-final "Cana" with the retroflex na is kept:
//      it marks the Sanskrit -an nouns (vyakaran, paryavaran, udaharan).
// 3. Letters are written the way Hindi is typed: ch, chh, sh for both
//    sibilants, ksh, gy for jnya, ri for the vocalic r, nukta letters by their
//    sound (z, f, q, kh, g; the flapped d and dh stay d and dh), anusvara and
//    chandrabindu as n, except anusvara before p, ph, b, bh, m (and v after
//    the short a) which is m, and
//    long vowels readable: aa for the long a only at the start of a word and
//    inside one-syllable words (aaj, kaam), a elsewhere (karna); ee and oo
//    for the long i and u inside a word (jeevan, phool), i and u at its end
//    (pani, aalu); ai, au, e, o as written.

namespace velmora::dicbuild {

namespace {

enum class Vowel {
    None, // halant: the consonant joins the next one
    Schwa,
    A, // independent a only
    AA,
    I,
    II,
    U,
    UU,
    R,
    E,
    AI,
    O,
    AU,
};

struct Unit {
    bool consonant = false;
    char32_t base = 0; // the consonant letter, without nukta
    bool nukta = false;
    Vowel vowel = Vowel::Schwa;
    bool nasal = false; // anusvara or chandrabindu
    bool chandrabindu = false;
    bool visarga = false;
    bool deleted = false; // schwa not spoken
    bool om = false;
};

// Consonants U+0915..U+0939 in code-point order; "" marks letters not used
// in Hindi, written like their nearest neighbour.
constexpr std::string_view consonantRoman[] = {
    "k", "kh", "g", "gh", "n", // क ख ग घ ङ
    "ch", "chh", "j", "jh", "n", // च छ ज झ ञ
    "t", "th", "d", "dh", "n", // ट ठ ड ढ ण
    "t", "th", "d", "dh", "n", // त थ द ध न
    "n", // ऩ
    "p", "ph", "b", "bh", "m", // प फ ब भ म
    "y", "r", "r", "l", "l", "l", // य र ऱ ल ळ ऴ
    "v", "sh", "sh", "s", "h", // व श ष स ह
};

bool isConsonant(char32_t c)
{
    return (c >= 0x0915 && c <= 0x0939) || (c >= 0x0958 && c <= 0x095F);
}

// The letter without its nukta for the precomposed nukta letters क़..य़.
char32_t withoutNukta(char32_t c)
{
    static constexpr char32_t plain[] = { U'क', U'ख', U'ग', U'ज', U'ड', U'ढ', U'फ', U'य' };
    return c >= 0x0958 && c <= 0x095F ? plain[c - 0x0958] : c;
}

std::string_view consonantText(char32_t base, bool nukta)
{
    if (nukta) {
        switch (base) {
        case U'क':
            return "q";
        case U'ख':
            return "kh";
        case U'ग':
            return "g";
        case U'ज':
            return "z";
        case U'झ':
            return "zh";
        case U'फ':
            return "f";
        default:
            break; // ड़ ढ़ य़ and the rest sound like the plain letter here
        }
    }
    if (base >= 0x0915 && base <= 0x0939)
        return consonantRoman[base - 0x0915];
    return "";
}

bool isLabial(char32_t c)
{
    return c == U'प' || c == U'फ' || c == U'ब' || c == U'भ' || c == U'म';
}

bool isNasalConsonant(char32_t c)
{
    return c == U'ङ' || c == U'ञ' || c == U'ण' || c == U'न' || c == U'म';
}

Vowel vowelOfSign(char32_t c)
{
    // ा ि ी ु ू ृ ॄ ॅ (candra e) ॆ े ै ॉ (candra o) ॊ ो ौ
    static constexpr Vowel signs[] = { Vowel::AA, Vowel::I, Vowel::II, Vowel::U, Vowel::UU, Vowel::R,
        Vowel::R, Vowel::E, Vowel::E, Vowel::E, Vowel::AI, Vowel::O, Vowel::O, Vowel::O, Vowel::AU };
    if (c >= 0x093E && c <= 0x094C)
        return signs[c - 0x093E];
    return c == 0x0962 || c == 0x0963 ? Vowel::R : Vowel::None; // vocalic l
}

// Unicode sets the independent vowels आ..औ 0x38 below their vowel signs;
// ऌ lands on the sign of ॠ, a vocalic r like it.
Vowel vowelOfLetter(char32_t c)
{
    if (c == U'अ' || c == 0x0904 || c == 0x0972)
        return Vowel::A;
    if (c == U'ॠ' || c == U'ॡ')
        return Vowel::R;
    return c >= U'आ' && c <= U'औ' ? vowelOfSign(c + 0x38) : Vowel::None;
}

std::vector<Unit> parse(std::u32string_view word)
{
    std::vector<Unit> units;
    auto lastConsonantAwaitingVowel = [&] {
        return !units.empty() && units.back().consonant && units.back().vowel == Vowel::Schwa
            && !units.back().nasal && !units.back().visarga;
    };
    for (std::size_t i = 0; i < word.size(); ++i) {
        const char32_t c = word[i];
        if (isConsonant(c)) {
            Unit u;
            u.consonant = true;
            if (c >= 0x0958) {
                u.base = withoutNukta(c);
                u.nukta = true;
            } else if (c == U'ङ' && i + 1 < word.size() && vowelOfSign(word[i + 1]) != Vowel::None) {
                u.base = U'ड'; // ङ never carries a vowel: बङा is a slip for बड़ा
                u.nukta = true;
            } else if (c == U'ऩ' || c == U'ऱ' || c == U'ऴ') {
                u.base = c == U'ऩ' ? U'न' : c == U'ऱ' ? U'र' : U'ळ';
            } else {
                u.base = c;
            }
            units.push_back(u);
        } else if (c == 0x093C) { // nukta
            if (!units.empty() && units.back().consonant)
                units.back().nukta = true;
        } else if (c == 0x094D) { // halant
            if (!units.empty() && units.back().consonant)
                units.back().vowel = Vowel::None;
        } else if (Vowel v = vowelOfSign(c); v != Vowel::None) {
            if (lastConsonantAwaitingVowel()) {
                units.back().vowel = v;
            } else { // a sign without a consonant: say the vowel
                Unit u;
                u.vowel = v;
                units.push_back(u);
            }
        } else if (Vowel v = vowelOfLetter(c); v != Vowel::None) {
            Unit u;
            u.vowel = v;
            units.push_back(u);
        } else if (c == 0x0901 || c == 0x0902) { // chandrabindu, anusvara
            if (!units.empty()) {
                units.back().nasal = true;
                units.back().chandrabindu = c == 0x0901;
            }
        } else if (c == 0x0903) { // visarga
            if (!units.empty())
                units.back().visarga = true;
        } else if (c == 0x0950) { // om
            Unit u;
            u.om = true;
            u.vowel = Vowel::O;
            units.push_back(u);
        }
        // Avagraha, accents, joiners and unassigned points say nothing.
    }
    return units;
}

// One form for the spelling variants of a word: no nukta, anusvara for
// chandrabindu and for a nasal consonant joined by halant, no joiners.
std::u32string variantKey(std::u32string_view word, bool retroflexAsDental = false)
{
    std::u32string out;
    for (std::size_t i = 0; i < word.size(); ++i) {
        char32_t c = withoutNukta(word[i]);
        const char32_t next = i + 1 < word.size() ? withoutNukta(word[i + 1]) : 0;
        // Common misspellings, not other words: ष for श, a halant more or
        // less (गरदन, गर्दन), a visarga (दुःख, दुख), a long vowel first (ईधर)
        // or a long i or u for a short one (भूमि, भूमी), ृ for ्रि (पैतृक,
        // पैत्रिक), च्छ for छ (मगरमच्छ), ङ carrying a vowel for ड़ (बङा).
        if (c == 0x093C || c == 0x200C || c == 0x200D || c == 0x094D || c == 0x0903)
            continue;
        if (c == U'च' && next == 0x094D && i + 2 < word.size() && word[i + 2] == U'छ')
            continue;
        if (c == 0x0943) {
            out += U"रि";
            continue;
        }
        if (c == U'ङ' && vowelOfSign(next) != Vowel::None)
            c = U'ड';
        if (c == U'ष')
            c = U'श';
        if (c == U'ई' || c == U'ऊ')
            c = c == U'ई' ? U'इ' : U'उ';
        if (c == 0x0946)
            c = 0x0947;
        if (word.size() >= 3 && (c == 0x0940 || c == 0x0942))
            c = c == 0x0940 ? 0x093F : 0x0941;
        if (c == U'य' && (next == 0x0947 || next == 0x0940) && !out.empty()) {
            out.push_back(next == 0x0947 ? U'ए' : U'इ'); // लिये and लिए, नयी and नई
            ++i;
            continue;
        }
        // A nasal before a consonant of a class (क..म) is heard as that
        // class's nasal, however written: कुंड and कुण्ड, संबद्ध, सम्बद्ध and
        // समबद्ध, बराम्दा and बरामदा; before another consonant a nasal letter
        // joined by halant is the anusvara (सन्सकार, संस्कार), and so is
        // chandrabindu (हँसना, हंसना).
        const std::size_t at = next == 0x094D ? i + 2 : i + 1;
        const char32_t after = at < word.size() ? withoutNukta(word[at]) : 0;
        const bool nasalLetter = isNasalConsonant(c) && i > 0;
        const bool nasalSound
            = c == 0x0901 || c == 0x0902 || (nasalLetter && (next == 0x094D || !isNasalConsonant(after)));
        if (nasalSound && after >= U'क' && after <= U'म')
            c = after >= U'प' ? U'म' : U'न';
        else if (c == 0x0901 || (nasalLetter && next == 0x094D && isConsonant(after)))
            c = 0x0902;
        if (c == U'ङ' || c == U'ञ' || c == U'ण')
            c = U'न';
        if (retroflexAsDental && c >= U'ट' && c <= U'ढ')
            c = c - U'ट' + U'त';
        out.push_back(c);
    }
    return out;
}

// Words people spell their own way: Perso-Arabic words, nukta or not, and
// English loanwords Hindi uses as they are. A row stands for the spelling
// variants of its word (see variantKey).
std::string_view ownSpelling(std::u32string_view word)
{
    static const std::map<std::u32string, std::string_view> byKey = [] {
        static constexpr std::pair<std::u32string_view, std::string_view> rows[] = {
            { U"सफेद", "safed" },
            { U"ज्यादा", "zyada" },
            { U"जरूर", "zaroor" },
            { U"जरूरत", "zaroorat" },
            { U"जरूरी", "zaroori" },
            { U"खराब", "kharab" },
            { U"जमीन", "zameen" },
            { U"बाजार", "bazaar" },
            { U"आवाज", "awaaz" },
            { U"इज्जत", "izzat" },
            { U"कमजोर", "kamzor" },
            { U"जहर", "zahar" },
            { U"कागज", "kagaz" },
            { U"मजबूत", "mazboot" },
            { U"तेज", "tez" },
            { U"कंप्यूटर", "computer" },
            { U"डॉक्टर", "doctor" },
            { U"डाक्टर", "doctor" },
            { U"टेलीफोन", "telephone" },
            { U"फोन", "phone" },
            { U"रेडियो", "radio" },
            { U"मोटर", "motor" },
            { U"स्कूल", "school" },
            { U"कॉलेज", "college" },
            { U"अस्पताल", "aspatal" },
            { U"इंजीनियर", "engineer" },
            { U"मशीन", "machine" },
            { U"टिकट", "ticket" },
            { U"होटल", "hotel" },
            { U"पुलिस", "police" },
            { U"बैंक", "bank" },
            { U"ट्रेन", "train" },
            { U"कार", "car" },
            { U"फिल्म", "film" },
            { U"ट्रस्ट", "trust" },
            { U"टीन", "tin" },
            { U"सूट", "suit" },
            { U"लीड", "lead" },
            { U"पोप", "pope" },
            { U"पॉप", "pop" },
        };
        std::map<std::u32string, std::string_view> map;
        for (const auto &[hindi, roman] : rows)
            map.emplace(variantKey(hindi), roman);
        return map;
    }();
    const auto it = byKey.find(variantKey(word));
    return it == byKey.end() ? std::string_view() : it->second;
}

bool spoken(const Unit &u)
{
    return u.vowel != Vowel::None && !(u.vowel == Vowel::Schwa && u.deleted);
}

bool deletable(const Unit &u)
{
    return u.consonant && u.vowel == Vowel::Schwa && !u.nasal && !u.visarga;
}

// A word-final conjunct keeps its schwa when its last consonant is a
// semivowel (mitra, yogya, tatva) or a nasal or l after a plain consonant
// (ratna, padma, shukla), and so does jnya (pragya); after r, l, h, y, v
// or a nasal it goes (dharm, poorn, film, chihn), and so it does in rv
// (sarv, poorv).
bool finalConjunctKeepsSchwa(char32_t first, char32_t last)
{
    if (last == U'व' && first == U'र')
        return false; // sarv, poorv
    if (last == U'य' || last == U'र' || last == U'व')
        return true;
    if (last == U'म' || last == U'न' || last == U'ल')
        return first != U'र' && first != U'ल' && first != U'ह' && first != U'य' && first != U'व'
            && !isNasalConsonant(first);
    if (last == U'ञ') // ज्ञ: pragya, yagya
        return first == U'ज';
    return false;
}

void deleteSchwas(std::vector<Unit> &units)
{
    const std::size_t n = units.size();
    if (n < 2)
        return;
    Unit &last = units[n - 1];
    if (deletable(last)) {
        const Unit &before = units[n - 2];
        const bool conjunct = before.consonant && before.vowel == Vowel::None;
        last.deleted = !(conjunct && finalConjunctKeepsSchwa(before.base, last.base));
    }
    for (std::size_t i = n - 2; i >= 1; --i) {
        Unit &u = units[i];
        if (deletable(u)) {
            const Unit &prev = units[i - 1];
            const Unit &next = units[i + 1];
            // A nasal joined by halant is heard as the nasal vowel that
            // anusvara writes: अन्धविश्वास is andhvishwas like अंधविश्वास.
            const bool nasalCluster = i >= 2 && prev.consonant && prev.vowel == Vowel::None
                && isNasalConsonant(prev.base) && spoken(units[i - 2]) && !units[i - 2].visarga;
            const bool vcBefore = (spoken(prev) && !prev.visarga) || nasalCluster;
            const bool cvAfter = next.consonant && spoken(next);
            const bool beforeSanskritAn = i + 2 == n - 1 && next.vowel == Vowel::Schwa && !next.nasal
                && units[n - 1].consonant && units[n - 1].base == U'ण' && units[n - 1].deleted;
            // After a syllable closed by a nasal, the schwa before a final
            // syllable stays (parampara, sampada, chingari), but not before
            // the infinitive ending (hansna, kampna).
            const bool closedByNasal = prev.nasal || nasalCluster;
            const bool beforeFinalSyllable = i + 2 == n && next.consonant && spoken(next)
                && !(next.base == U'न'
                    && (next.vowel == Vowel::AA || next.vowel == Vowel::E || next.vowel == Vowel::II));
            // A plural or oblique ending on a stem that ends in y or v:
            // samayon (samay + on), not samyon.
            const bool stemBeforeEnding = i + 2 == n && next.nasal
                && (next.vowel == Vowel::O || next.vowel == Vowel::E)
                && (next.base == U'य' || next.base == U'व');
            // The negating a- before pari-: aparivartaniya, aparichit.
            const bool afterNegatingA = i == 1 && !prev.consonant && prev.vowel == Vowel::A && u.base == U'प'
                && next.consonant && next.base == U'र' && next.vowel == Vowel::I;
            u.deleted = vcBefore && cvAfter && !beforeSanskritAn && !(closedByNasal && beforeFinalSyllable)
                && !stemBeforeEnding && !afterNegatingA;
        }
        if (i == 1)
            break;
    }
}

} // namespace

std::string romanizeWord(std::u32string_view word, const std::set<std::u32string> *fullSpelling)
{
    if (const std::string_view own = ownSpelling(word); !own.empty())
        return std::string(own);
    const bool full = fullSpelling && fullSpelling->contains(std::u32string(word));
    // छात्रा beside छात्र: the final long a after a conjunct is what tells
    // the two apart, so it is written too.
    const bool schwaTwin = full && !word.empty() && word.back() == 0x093E
        && fullSpelling->contains(std::u32string(word.substr(0, word.size() - 1)));
    std::vector<Unit> units = parse(word);
    deleteSchwas(units);

    const std::size_t n = units.size();
    int syllables = 0;
    for (const Unit &u : units)
        syllables += spoken(u) ? 1 : 0;

    std::string out;
    for (std::size_t i = 0; i < n; ++i) {
        const Unit &u = units[i];
        const Unit *prev = i > 0 ? &units[i - 1] : nullptr;
        const Unit *next = i + 1 < n ? &units[i + 1] : nullptr;
        const bool joinedToNext = u.consonant && u.vowel == Vowel::None && next && next->consonant;
        const bool afterHalant = prev && prev->consonant && prev->vowel == Vowel::None;
        const bool wordEnd = i + 1 == n; // the vowel ends the word: no consonant follows
        const bool iyaEnding = u.consonant && u.base == U'य' && prev && prev->vowel == Vowel::II;

        if (u.om) {
            out += "om";
        } else if (u.consonant) {
            if (joinedToNext && u.base == U'ज' && !u.nukta && next->base == U'ञ') {
                out += 'g'; // ज्ञ: gy
            } else if (afterHalant && u.base == U'ञ' && prev->base == U'ज') {
                out += 'y';
            } else if (joinedToNext && u.base == U'च' && next->base == U'छ') {
                // च्छ: chh alone (achha, ichha, swachh)
            } else if (joinedToNext && u.base == U'च' && next->base == U'च') {
                out += 'c'; // च्च: cch (baccha, ucch)
            } else if (u.base == U'व' && afterHalant && prev->base != U'र') {
                out += 'w'; // swagat, dwara, jwala; but sarv, poorv
            } else {
                out += consonantText(u.base, u.nukta);
            }
        }

        switch (u.vowel) {
        case Vowel::None:
            break;
        case Vowel::Schwa:
        case Vowel::A:
            if (!(u.vowel == Vowel::Schwa && u.deleted) || iyaEnding)
                out += 'a';
            break;
        case Vowel::AA:
            if (full && u.consonant && (!wordEnd || u.nasal || (afterHalant && schwaTwin)))
                out += "aa"; // maarna beside marna, chhaatraa beside chhaatra, vahaan beside vahan
            else if (!u.consonant && i == 0)
                out += "aa"; // aaj, aadmi
            else if (syllables == 1 && u.consonant && (!wordEnd || u.nasal))
                out += "aa"; // kaam, baat, haan
            else
                out += 'a';
            break;
        case Vowel::I:
        case Vowel::II:
            if (full && !u.consonant && prev && prev->consonant && prev->vowel == Vowel::Schwa
                && spoken(*prev))
                out += 'y'; // kayi (कई) beside kai (कै)
            if (u.vowel == Vowel::I
                || (next && next->consonant && next->base == U'य' && next->vowel == Vowel::Schwa))
                out += 'i'; // -ीय: rashtriya, bhartiya
            else
                out += ((wordEnd && !(full && u.nasal)) || !u.consonant) ? "i" : "ee";
            break;
        case Vowel::U:
            out += 'u';
            break;
        case Vowel::UU:
            out += ((wordEnd && !(full && u.nasal)) || !u.consonant) ? "u" : "oo"; // choon beside chun
            break;
        case Vowel::R:
            out += "ri";
            break;
        case Vowel::E:
            if (!u.consonant && prev && spoken(*prev))
                out += 'y'; // लिए: liye, गए: gaye
            out += (wordEnd && u.nasal) ? "ei" : "e"; // में: mein
            break;
        case Vowel::AI:
            out += "ai";
            break;
        case Vowel::O:
            if (!u.om)
                out += 'o';
            break;
        case Vowel::AU:
            out += "au";
            break;
        }

        if (u.nasal) {
            // Anusvara before a labial is m (champa, sambandh; samvad after
            // the short a). Chandrabindu only nasalises the vowel (saanp,
            // kaanpna) except before a voiced labial, where the m is heard
            // (tamba).
            bool labialNext = false;
            if (next && next->consonant) {
                const char32_t c = next->base;
                labialNext = u.chandrabindu ? (c == U'ब' || c == U'भ' || c == U'म')
                                            : (isLabial(c) || (c == U'व' && u.vowel == Vowel::Schwa));
            }
            out += labialNext ? 'm' : 'n';
        }
        if (u.visarga) {
            const bool quietBefore = next && next->consonant
                && (next->base == U'ख' || next->base == U'श' || next->base == U'ष' || next->base == U'स');
            if (!quietBefore)
                out += 'h';
        }
    }
    return out;
}

namespace {

bool isWordChar(char32_t c)
{
    return (c >= 0x0900 && c <= 0x0963) || (c >= 0x0970 && c <= 0x097F) || c == 0x200C || c == 0x200D;
}

// Calls f(run, isWord) for the runs of Devanagari words and of other text in
// turn. A colon typed for the visarga after a letter is part of its word, as
// the visarga (punah, dukh, dukhad).
template <typename F> void forEachRun(const std::u32string &text, F f)
{
    std::u32string run;
    bool inWord = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool visargaColon = inWord && text[i] == U':'
            && (i + 1 == text.size() || !(text[i + 1] < 0x80 && std::isalnum(static_cast<int>(text[i + 1]))));
        const bool wordChar = isWordChar(text[i]) || visargaColon;
        if (wordChar != inWord && !run.empty()) {
            f(run, inWord);
            run.clear();
        }
        inWord = wordChar;
        run.push_back(visargaColon ? char32_t(0x0903) : text[i]);
    }
    if (!run.empty())
        f(run, inWord);
}

int countCollisions(const std::set<std::u32string> &words, const std::set<std::u32string> *full,
    std::set<std::u32string> *colliding, bool retroflexAsDental = false)
{
    std::map<std::string, std::set<std::u32string>> byRoman;
    std::map<std::string, std::vector<std::u32string>> spellers;
    for (const std::u32string &w : words) {
        if (w.size() == 1 && isConsonant(w[0]))
            continue; // a letter, not a word
        const std::string roman = romanizeWord(w, full);
        byRoman[roman].insert(variantKey(w, retroflexAsDental));
        spellers[roman].push_back(w);
    }
    int count = 0;
    for (const auto &[roman, keys] : byRoman) {
        if (keys.size() < 2)
            continue;
        ++count;

        if (colliding)
            colliding->insert(spellers[roman].begin(), spellers[roman].end());
    }
    return count;
}

} // namespace

std::vector<std::u32string> devanagariWords(std::string_view utf8)
{
    std::vector<std::u32string> out;
    forEachRun(decodeUtf8(utf8), [&](const std::u32string &run, bool word) {
        if (word)
            out.push_back(run);
    });
    return out;
}

int countSpellingCollisions(
    const std::set<std::u32string> &words, const std::set<std::u32string> *fullSpelling, bool retroflexPairs)
{
    return countCollisions(words, fullSpelling, nullptr, !retroflexPairs);
}

std::set<std::u32string> spellingCollisions(const std::set<std::u32string> &words, int *remaining)
{
    std::set<std::u32string> full;
    countCollisions(words, nullptr, &full);
    if (remaining)
        *remaining = countCollisions(words, &full, nullptr);
    return full;
}

std::string romanize(std::string_view utf8, const std::set<std::u32string> *fullSpelling)
{
    std::string out;
    forEachRun(decodeUtf8(utf8), [&](const std::u32string &run, bool word) {
        out += word ? romanizeWord(run, fullSpelling) : foldToAscii(run);
    });
    return out;
}

} // namespace velmora::dicbuild
