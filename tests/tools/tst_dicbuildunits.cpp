// The units of velmora-dicbuild on small inline dictd snippets: the dictd
// reader, the entry parser, the part-of-speech mapping, the meaning and
// example formatting, the frequency counts, selection and the writer.

#include "ToolsTestSupport.h"

#include "tools/DicWriter.h"
#include "tools/DictdReader.h"
#include "tools/DictionaryBuilder.h"
#include "tools/EntryParser.h"
#include "tools/EntryText.h"
#include "tools/PartOfSpeech.h"
#include "tools/Selection.h"
#include "tools/WordFrequency.h"

#include <QTemporaryDir>
#include <QTest>

#include <zlib.h>

#include <stdexcept>

using namespace velmora::dicbuild;
using toolstest::q;

namespace {

// A dictd index line for a text at an offset: base64 numbers.
std::string dictdNumber(std::uint64_t v)
{
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    do {
        out.insert(out.begin(), digits[v % 64]);
        v /= 64;
    } while (v > 0);
    return out;
}

// Builds .index and .dict texts from entry texts, in the given order.
void makeDictd(const std::vector<std::string> &entries, std::string &index, std::string &dict)
{
    index.clear();
    dict.clear();
    for (const std::string &e : entries) {
        const std::string key = e.substr(0, e.find(' '));
        index += key + '\t' + dictdNumber(dict.size()) + '\t' + dictdNumber(e.size()) + '\n';
        dict += e;
    }
}

DicEntry entry(
    const std::string &headword, long frequency, bool example = true, const std::string &code = "n")
{
    DicEntry e;
    e.headword = headword;
    e.code = code;
    e.meaning = "arth";
    e.example = example ? "An example." : "";
    e.frequency = frequency;
    return e;
}

} // namespace

class tst_DicbuildUnits : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // dictd reader
    void decodesDictdNumbers();
    void parsesIndexAndSlicesEntries();
    void readsGzipFiles();
    void reportsMissingFiles();
    // entry parser
    void parsesHeadwordPronunciationAndPartOfSpeech();
    void parsesSensesAndExamples();
    void joinsExamplesOverSeveralLines();
    void rejectsEntryWithoutPartOfSpeech();
    // part of speech
    void mapsPartsOfSpeech_data();
    void mapsPartsOfSpeech();
    void everyMappedCodeIsInTheTable();
    // meanings and examples
    void formatsSenses_data();
    void formatsSenses();
    void dropsSensesWithoutHindi_data();
    void dropsSensesWithoutHindi();
    void joinsSensesInOrder();
    void formatsExamples_data();
    void formatsExamples();
    void takesTheNextUsableExample();
    void formatsHeadwords();
    // frequency
    void sumsWordNetCounts();
    // selection
    void letterPlacesFillTheTableInsideTheOverlaps();
    void ranksCommonCompleteSingleWordsFirst();
    void listsAlphabeticallyIgnoringCase();
    void listableEntries();
    void selectsPerLetterAndOrders();
    void refusesTooFewEntries();
    // writer and builder
    void writesCrLfLines();
    void refusesBadFields();
    void buildsFromDictdTexts();
};

void tst_DicbuildUnits::decodesDictdNumbers()
{
    std::uint64_t v = 99;
    QVERIFY(decodeDictdNumber("A", v));
    QCOMPARE(v, 0u);
    QVERIFY(decodeDictdNumber("BYL", v));
    QCOMPARE(v, 1u * 64 * 64 + 24u * 64 + 11u);
    QVERIFY(decodeDictdNumber("/", v));
    QCOMPARE(v, 63u);
    QVERIFY(!decodeDictdNumber("", v));
    QVERIFY(!decodeDictdNumber("a-b", v));
}

void tst_DicbuildUnits::parsesIndexAndSlicesEntries()
{
    const std::string dict = "00-database-info\nfirst entry\nsecond";
    const std::string index = "00databaseinfo\tA\tQ\n"
                              "first\tR\tL\n"
                              "second\td\tG\n"
                              "broken line\n"
                              "past end\td\tZ\n";
    const std::vector<IndexEntry> entries = parseIndex(index);
    QCOMPARE(entries.size(), 4u);
    QCOMPARE(q(entries[1].key), u"first"_qs);
    const std::vector<std::string> texts = entryTexts(entries, dict);
    QCOMPARE(texts.size(), 2u);
    QCOMPARE(q(texts[0]), u"first entry"_qs);
    QCOMPARE(q(texts[1]), u"second"_qs);
}

void tst_DicbuildUnits::readsGzipFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::string path = (dir.path() + u"/x.dict.dz"_qs).toStdString();
    const std::string text = "abandon /x/ <V>\n1. छोड़~देना\n";
    gzFile f = gzopen(path.c_str(), "wb");
    QVERIFY(f);
    QCOMPARE(gzwrite(f, text.data(), static_cast<unsigned>(text.size())), static_cast<int>(text.size()));
    QCOMPARE(gzclose(f), Z_OK);
    QCOMPARE(q(readGzipFile(path)), q(text));
}

void tst_DicbuildUnits::reportsMissingFiles()
{
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, readFile("/nonexistent/velmora.index"));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, readGzipFile("/nonexistent/velmora.dict.dz"));
}

void tst_DicbuildUnits::parsesHeadwordPronunciationAndPartOfSpeech()
{
    RawEntry e;
    QVERIFY(parseEntry("A feather in one's cap /ɐ fˈɛðəɹ/ <IDM>\n1. कठिन~कार्य\n", e));
    QCOMPARE(q(e.headword), u"A feather in one's cap"_qs);
    QCOMPARE(q(e.partOfSpeech), u"IDM"_qs);
    QVERIFY(parseEntry("snack bar <Comb form>\n1. नाश्ता\n", e));
    QCOMPARE(q(e.headword), u"snack bar"_qs);
    QCOMPARE(q(e.partOfSpeech), u"Comb form"_qs);
    QVERIFY(parseEntry("Dr /dˈɒktə/ <Abbr:Doctor>\n1. डॉक्टर\n", e));
    QCOMPARE(q(e.partOfSpeech), u"Abbr:Doctor"_qs);
}

void tst_DicbuildUnits::parsesSensesAndExamples()
{
    RawEntry e;
    QVERIFY(parseEntry("about /ɐbˈaʊt/ <Prep>\n"
                       "1. के~बारे~में\n"
                       "      \"I read a book about cricket.\"\n"
                       "2. आस~पास\n"
                       "      \"I dropped the pen somewhere about here.\"\n"
                       "      \"Second example.\"\n"
                       "3.\n"
                       "पासबुक\n",
        e));
    QCOMPARE(e.senses.size(), 3u);
    QCOMPARE(q(e.senses[0]), u"के~बारे~में"_qs);
    QCOMPARE(q(e.senses[2]), u" पासबुक"_qs); // a stray line continues the empty sense "3."
    QCOMPARE(e.examples.size(), 3u);
    QCOMPARE(q(e.examples[0]), u"I read a book about cricket."_qs);
    QCOMPARE(q(e.examples[2]), u"Second example."_qs);
}

void tst_DicbuildUnits::joinsExamplesOverSeveralLines()
{
    RawEntry e;
    QVERIFY(parseEntry("run <VI>\n1. चालू~करना\n      \"Could you run a hot bath for me?\n\"\n", e));
    QCOMPARE(e.examples.size(), 1u);
    QCOMPARE(q(firstExample(e.examples)), u"Could you run a hot bath for me?"_qs);
}

void tst_DicbuildUnits::rejectsEntryWithoutPartOfSpeech()
{
    RawEntry e;
    QVERIFY(!parseEntry("nothing here\n1. कुछ\n", e));
    QVERIFY(!parseEntry("", e));
}

void tst_DicbuildUnits::mapsPartsOfSpeech_data()
{
    QTest::addColumn<QString>("pos");
    QTest::addColumn<QString>("code");
    QTest::newRow("N") << u"N"_qs << u"n"_qs;
    QTest::newRow("Adj") << u"Adj"_qs << u"a"_qs;
    QTest::newRow("V") << u"V"_qs << u"v"_qs;
    QTest::newRow("VT") << u"VT"_qs << u"vt"_qs;
    QTest::newRow("VI") << u"VI"_qs << u"vi"_qs;
    QTest::newRow("VTI") << u"VTI"_qs << u"vti"_qs;
    QTest::newRow("Adv.") << u"Adv."_qs << u"adv"_qs;
    QTest::newRow("PhrV") << u"PhrV"_qs << u"phrv"_qs;
    QTest::newRow("PhrVT") << u"PhrVT"_qs << u"phrvt"_qs;
    QTest::newRow("PhrVI") << u"PhrVI"_qs << u"phrvi"_qs;
    QTest::newRow("VP") << u"VP"_qs << u"phrv"_qs;
    QTest::newRow("IDM") << u"IDM"_qs << u"idm"_qs;
    QTest::newRow("Prep") << u"Prep"_qs << u"prep"_qs;
    QTest::newRow("Pron.") << u"Pron."_qs << u"pron"_qs;
    QTest::newRow("Comb form") << u"Comb form"_qs << u"comb form"_qs;
    QTest::newRow("Rel Pron") << u"Rel Pron"_qs << u"rel pron"_qs;
    QTest::newRow("Refl Pron") << u"Refl Pron"_qs << u"refl pron"_qs;
    QTest::newRow("AuxV") << u"AuxV"_qs << u"auxV"_qs;
    QTest::newRow("MV") << u"MV"_qs << u"mv"_qs;
    QTest::newRow("Interro") << u"Interro"_qs << u"interro"_qs;
    QTest::newRow("Vneg") << u"Vneg"_qs << u"vneg"_qs;
    QTest::newRow("PropN") << u"PropN"_qs << u"propn"_qs;
    QTest::newRow("N/Det takes the first") << u"N/Det"_qs << u"n"_qs;
    QTest::newRow("Det/Pron takes the first") << u"Det/Pron"_qs << u"det"_qs;
    QTest::newRow("Abbr") << u"Abbr"_qs << u"abbr:"_qs;
    QTest::newRow("Abbr:am/is/are not") << u"Abbr:am/is/are not"_qs << u"abbr:"_qs;
    QTest::newRow("Abbr:Member of Parliament") << u"Abbr:Member of Parliament"_qs << u"abbr:"_qs;
    QTest::newRow("unknown") << u"Xyz"_qs << QString();
}

void tst_DicbuildUnits::mapsPartsOfSpeech()
{
    QFETCH(QString, pos);
    QFETCH(QString, code);
    QCOMPARE(q(wordTypeCode(pos.toStdString())), code);
}

void tst_DicbuildUnits::everyMappedCodeIsInTheTable()
{
    for (const char *pos : { "N", "Adj", "Adv", "V", "VT", "VI", "VTI", "PhrV", "PhrVT", "PhrVI", "VP", "IDM",
             "Prep", "Pron", "Conj", "Det", "Interj", "Pref", "Suffix", "Comb form", "Rel Pron", "Refl Pron",
             "Interro", "AuxV", "MV", "Part", "PropN", "Vneg", "Abbr:x" })
        QVERIFY2(isWordTypeCode(wordTypeCode(pos)), pos);
    QVERIFY(!isWordTypeCode("noun"));
    QVERIFY(isClosedClass("det"));
    QVERIFY(!isClosedClass("n"));
}

void tst_DicbuildUnits::formatsSenses_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("meaning");
    QTest::newRow("tilde is a space") << u"छोड़~देना"_qs << u"chhod dena"_qs;
    QTest::newRow("underscore is a space") << u"के_साथ"_qs << u"ke saath"_qs;
    QTest::newRow("note kept in brackets") << u"उकसाना{बुरे~काम~के~लिये}"_qs << u"uksana (bure kaam ke liye)"_qs;
    QTest::newRow("note first") << u"{कला~संबंधी}अमूर्त"_qs << u"(kala sambandhi) amoort"_qs;
    QTest::newRow("alternative") << u"रह[रख]~सकना"_qs << u"rah/rakh sakna"_qs;
    QTest::newRow("alternative after phrase") << u"उन्मूलन~करना[होना]"_qs << u"unmoolan karna/hona"_qs;
    QTest::newRow("unclosed note") << u"मंगलवार{हफ्ते~का~तीसरा~दिन"_qs << u"mangalvar (haphte ka teesra din)"_qs;
    QTest::newRow("mismatched brackets") << u"तीखा{स्वभाव)"_qs << u"teekha (swabhav)"_qs;
    QTest::newRow("commas") << u"पीछे,हतप्रभ"_qs << u"peechhe, hataprabh"_qs;
    QTest::newRow("question marks dropped") << u"हमेशा?"_qs << u"hamesha"_qs;
    QTest::newRow("stray latin letter dropped") << u"सूअर~का~माँसr"_qs << u"sooar ka maans"_qs;
    QTest::newRow("english note kept") << u"अपोढ़{deposit}"_qs << u"apodh (deposit)"_qs;
    QTest::newRow("typographic quotes dropped") << u"‘ह’ध्वनि"_qs << u"hadhwani"_qs;
    QTest::newRow("digits") << u"एकड़{४८४०~वर्ग~गज}"_qs << u"ekad (4840 varg gaj)"_qs;
    QTest::newRow("visarga colon") << u"वास्तव~में, वस्तुत:"_qs << u"vastav mein, vastutah"_qs;
}

void tst_DicbuildUnits::formatsSenses()
{
    QFETCH(QString, raw);
    QFETCH(QString, meaning);
    QCOMPARE(q(formatSense(raw.toStdString())), meaning);
}

void tst_DicbuildUnits::dropsSensesWithoutHindi_data()
{
    QTest::addColumn<QString>("raw");
    QTest::newRow("question mark") << u"?"_qs;
    QTest::newRow("caret") << u"^"_qs;
    QTest::newRow("english sentence") << u" In the party only a few persons were known to me"_qs;
    QTest::newRow("wx transliteration") << u"बहुत garIba"_qs;
    QTest::newRow("legacy font debris") << u"बोझख Eनह aEEUUूी ंाग्हु"_qs;
    QTest::newRow("vowel sign on a vowel") << u"अत्यन्त एाुKKPPस"_qs;
    QTest::newRow("empty") << QString();
}

void tst_DicbuildUnits::dropsSensesWithoutHindi()
{
    QFETCH(QString, raw);
    QCOMPARE(q(formatSense(raw.toStdString())), QString());
}

void tst_DicbuildUnits::joinsSensesInOrder()
{
    QCOMPARE(q(formatMeaning({ "चारो~ओर", "?", "इधर~उधर", "चारो~ओर", "लगभग" })),
        u"charo or; idhar udhar; lagbhag"_qs);
    QCOMPARE(q(formatMeaning({ "?", "^" })), QString());
}

void tst_DicbuildUnits::formatsExamples_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("example");
    QTest::newRow("plain") << u"I bought a pen."_qs << u"I bought a pen."_qs;
    QTest::newRow("typographic quotes")
        << u"‘Shatranj ke khiladi’ had a “good” run."_qs << u"'Shatranj ke khiladi' had a \"good\" run."_qs;
    QTest::newRow("dashes") << u"Pages 10–20 — read them…"_qs << u"Pages 10-20 -- read them..."_qs;
    QTest::newRow("spaces collapsed")
        << u"  In Calcutta trams run on rails        "_qs << u"In Calcutta trams run on rails"_qs;
    QTest::newRow("space before stop") << u"A player a la Dhyanchand ."_qs << u"A player a la Dhyanchand."_qs;
    QTest::newRow("bar") << u"either|or choice"_qs << u"either/or choice"_qs;
    QTest::newRow("hindi sentence") << u"वह एक विश्वसनीय आदमी है।"_qs << u"Vah ek vishwasneey aadmi hai."_qs;
    QTest::newRow("mixed hindi and english") << u"उसे झूठ बोलने की habit पड़ गई है."_qs << QString();
    QTest::newRow("broken record") << u"--\"10.कम्पोज़ करना\""_qs << QString();
    QTest::newRow("csv debris") << u"\"aggregate\",\"VT\",\"1.संग्रह~करना\""_qs << QString();
    QTest::newRow("single word") << u"Yes"_qs << QString();
    QTest::newRow("digit only") << u" ९ "_qs << QString();
}

void tst_DicbuildUnits::formatsExamples()
{
    QFETCH(QString, raw);
    QFETCH(QString, example);
    QCOMPARE(q(formatExample(raw.toStdString())), example);
}

void tst_DicbuildUnits::takesTheNextUsableExample()
{
    QCOMPARE(q(firstExample({ "--\"2.अति नफ़रत होना\"", "He hates it." })), u"He hates it."_qs);
    QCOMPARE(q(firstExample({ "राम ने उसे अपना व्यापार संभालने का अधिकार दिया." })),
        u"Raam ne use apna vyapar sambhalne ka adhikar diya."_qs);
    QCOMPARE(q(firstExample({})), QString());
}

void tst_DicbuildUnits::formatsHeadwords()
{
    QCOMPARE(q(formatHeadword("a  la   carte")), u"a la carte"_qs);
    QCOMPARE(q(formatHeadword("pallet1")), u"pallet"_qs);
    QCOMPARE(q(formatHeadword("catch-22")), u"catch-22"_qs);
    QCOMPARE(q(formatHeadword("café")), u"cafe"_qs);
    QCOMPARE(q(formatHeadword("कुछ")), QString());
}

void tst_DicbuildUnits::sumsWordNetCounts()
{
    WordFrequency f;
    QVERIFY(f.empty());
    f.addCntlist("book%1:10:00:: 1 20\n"
                 "book%1:06:00:: 2 5\n"
                 "book%2:41:00:: 1 3\n"
                 "give_up%2:40:00:: 1 7\n"
                 "red%5:00:00:chromatic:00 1 11\n"
                 "garbage line\n");
    QCOMPARE(f.count("book", 'n'), 25);
    QCOMPARE(f.count("Book", 'v'), 3);
    QCOMPARE(f.count("book", 0), 28);
    QCOMPARE(f.count("give up", 'v'), 7);
    QCOMPARE(f.count("red", 'a'), 11);
    QCOMPARE(f.count("unseen", 0), 0);
}

void tst_DicbuildUnits::letterPlacesFillTheTableInsideTheOverlaps()
{
    const std::vector<LetterPlaces> places = letterPlaces();
    QCOMPARE(places.size(), 25u);
    QCOMPARE(places.front().first, 0);
    QCOMPARE(places.back().last, totalLines - 1);
    int total = 0;
    for (std::size_t i = 0; i < places.size(); ++i) {
        total += places[i].count();
        if (i > 0)
            QCOMPARE(places[i].first, places[i - 1].last + 1);
        const LetterRange *range = nullptr;
        for (const LetterRange &r : letterRanges())
            if (r.letter == places[i].letter)
                range = &r;
        QVERIFY(range);
        QVERIFY(places[i].first >= range->start);
        QVERIFY(places[i].last <= range->end);
        if (i + 1 < places.size()) {
            const LetterRange *nextRange = nullptr;
            for (const LetterRange &r : letterRanges())
                if (r.letter == places[i + 1].letter)
                    nextRange = &r;
            // Both sides of the boundary lie in the overlap.
            QVERIFY(places[i].last >= nextRange->start);
            QVERIFY(places[i].last + 1 <= range->end);
        }
    }
    QCOMPARE(total, totalLines);
    QCOMPARE(places[1].count(), 796); // B
}

void tst_DicbuildUnits::ranksCommonCompleteSingleWordsFirst()
{
    DicEntry closed = entry("the", 0, true, "det");
    closed.closedClass = true;
    QVERIFY(selectedBefore(closed, entry("water", 5000)));
    QVERIFY(selectedBefore(entry("water", 300), entry("wander", 20)));
    // Same band (256..511): complete first, then single words, then count.
    QVERIFY(selectedBefore(entry("zzz", 300), entry("aaa", 400, false)));
    QVERIFY(selectedBefore(entry("bbb", 300), entry("a b", 400)));
    QVERIFY(selectedBefore(entry("bbb", 400), entry("aaa", 300)));
    // Everything equal: alphabetical.
    QVERIFY(selectedBefore(entry("aaa", 0), entry("bbb", 0)));
    QVERIFY(!selectedBefore(entry("bbb", 0), entry("aaa", 0)));
    QCOMPARE(frequencyBand(entry("x", 0)), 0);
    QCOMPARE(frequencyBand(entry("x", 1)), 1);
    QCOMPARE(frequencyBand(entry("x", 256)), 9);
}

void tst_DicbuildUnits::listsAlphabeticallyIgnoringCase()
{
    QVERIFY(listedBefore(entry("a", 0), entry("A few", 0)));
    QVERIFY(listedBefore(entry("A few", 0), entry("aback", 0)));
    QVERIFY(listedBefore(entry("Run", 0), entry("run-up", 0)));
    QVERIFY(listedBefore(entry("run", 0), entry("Runner", 0)));
    DicEntry first = entry("book", 0);
    DicEntry second = entry("Book", 0);
    second.sourceOrder = 1;
    QVERIFY(listedBefore(first, second));
    QVERIFY(!listedBefore(second, first));
}

void tst_DicbuildUnits::listableEntries()
{
    QVERIFY(listable(entry("abandon", 0)));
    QVERIFY(!listable(entry("x-ray", 0)));
    QVERIFY(!listable(entry("X-ray", 0)));
    QVERIFY(!listable(entry("-ling", 0)));
    QVERIFY(!listable(entry("4-wheel", 0)));
    DicEntry noMeaning = entry("abc", 0);
    noMeaning.meaning.clear();
    QVERIFY(!listable(noMeaning));
}

void tst_DicbuildUnits::selectsPerLetterAndOrders()
{
    // Enough entries for every letter, plus extras that must lose.
    std::vector<DicEntry> all;
    std::size_t order = 0;
    for (const LetterPlaces &p : letterPlaces()) {
        for (int i = 0; i < p.count() + 3; ++i) {
            const char lowerLetter = static_cast<char>(p.letter - 'A' + 'a');
            DicEntry e
                = entry(std::string(1, lowerLetter) + std::to_string(100000 + i), i < p.count() ? 10 : 0);
            e.sourceOrder = order++;
            all.push_back(e);
        }
    }
    all.push_back(entry("xylophone", 1000));
    std::vector<LetterReport> report;
    const std::vector<DicEntry> lines = selectLines(all, &report);
    QCOMPARE(static_cast<int>(lines.size()), totalLines);
    QCOMPARE(report.size(), 25u);
    for (const DicEntry &e : lines) {
        QVERIFY(e.frequency == 10);
        QVERIFY(e.headword[0] != 'x');
    }
    for (std::size_t i = 1; i < lines.size(); ++i)
        if (lines[i].headword[0] == lines[i - 1].headword[0])
            QVERIFY(listedBefore(lines[i - 1], lines[i]));
    QCOMPARE(lines.front().headword[0], 'a');
    QCOMPARE(lines.back().headword[0], 'z');
}

void tst_DicbuildUnits::refusesTooFewEntries()
{
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, selectLines({ entry("abc", 1) }));
}

void tst_DicbuildUnits::writesCrLfLines()
{
    DicEntry e = entry("abandon", 0, true, "v");
    e.meaning = "chhod dena";
    e.example = "A baby abandoned by its parents was found here.";
    QCOMPARE(
        q(formatLine(e)), u"abandon||v||chhod dena||A baby abandoned by its parents was found here.\r\n"_qs);
    e.example.clear();
    QCOMPARE(q(formatLine(e)), u"abandon||v||chhod dena||\r\n"_qs);
    QCOMPARE(q(formatFile({ e, e })), u"abandon||v||chhod dena||\r\nabandon||v||chhod dena||\r\n"_qs);
}

void tst_DicbuildUnits::refusesBadFields()
{
    DicEntry e = entry("abandon", 0);
    e.meaning = "a|b";
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, formatLine(e));
    e.meaning = "caf\xc3\xa9";
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, formatLine(e));
    e.meaning.clear();
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, formatLine(e));
}

void tst_DicbuildUnits::buildsFromDictdTexts()
{
    std::string index;
    std::string dict;
    makeDictd({ "book /bˈʊk/ <N>\n1. पुस्तक, किताब\n      \"I am reading a good book\"\n\n",
                  "book /bˈʊk/ <N>\n1. खाता\n\n", "Book /bˈʊk/ <VT>\n1. बुक~करना\n\n",
                  "x-ray <N>\n1. एक्स~रे\n\n", "blank <N>\n1. ?\n\n", "odd <Xyz>\n1. अजीब\n\n" },
        index, dict);
    BuildReport report;
    const std::vector<DicEntry> entries = collectEntries(index, dict, "book%1:10:00:: 1 20\n", &report);
    QCOMPARE(report.sourceEntries, 6);
    QCOMPARE(report.merged, 1);
    QCOMPARE(report.withoutMeaning, 1);
    QCOMPARE(report.unknownPartOfSpeech, 1);
    QCOMPARE(entries.size(), 3u);
    QCOMPARE(q(entries[0].headword), u"book"_qs);
    QCOMPARE(q(entries[0].meaning), u"pustak, kitab; khata"_qs);
    QCOMPARE(q(entries[0].example), u"I am reading a good book"_qs);
    QCOMPARE(entries[0].frequency, 20);
    QCOMPARE(q(entries[1].code), u"vt"_qs);
    QCOMPARE(q(entries[2].headword), u"x-ray"_qs); // collected, but never listed
    QVERIFY(!listable(entries[2]));
}

QTEST_GUILESS_MAIN(tst_DicbuildUnits)
#include "tst_dicbuildunits.moc"
