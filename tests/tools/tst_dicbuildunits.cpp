// The units of velmora-dicbuild on small inline dictd snippets: the dictd
// reader, the entry parser, the part-of-speech mapping, the meaning and
// example formatting, the frequency counts, selection and the writer.

#include "ToolsTestSupport.h"

#include "tools/DicWriter.h"
#include "tools/DictdReader.h"
#include "tools/DictionaryBuilder.h"
#include "tools/EntryParser.h"
#include "tools/EntryText.h"
#include "tools/Overlay.h"
#include "tools/PartOfSpeech.h"
#include "tools/Selection.h"
#include "tools/Utf8.h"
#include "tools/WordFrequency.h"
#include "tools/WordNet.h"

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
    void joinsWrappedExamples_data();
    void joinsWrappedExamples();
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
    void formatsHeadwords_data();
    void formatsHeadwords();
    void foldsToAscii_data();
    void foldsToAscii();
    void foldsEveryCodePointToPrintableAscii();
    // WordNet
    void findsWordNetExamplesInSenseOrder();
    void tellsEnglishFromRomanHindi_data();
    void tellsEnglishFromRomanHindi();
    // building
    void keepsCaseDistinctEntriesApart();
    void foldsNearDuplicateLines();
    void ordersLinesOfAHeadwordByPartOfSpeech();
    void fillsMissingExamples();
    // overlay
    void appliesTheOverlay();
    void reportsStaleOverlayLines();
    void refusesMalformedOverlayLines_data();
    void refusesMalformedOverlayLines();
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

void tst_DicbuildUnits::joinsWrappedExamples_data()
{
    QTest::addColumn<QString>("lines"); // the example lines of one sense, as in the source
    QTest::addColumn<QStringList>("examples");
    QTest::newRow("long line wrapped")
        << u"\"The company has accrued so much debt that there are chances of its becoming\"\n\"bankrupt.\""_qs
        << QStringList {
               u"The company has accrued so much debt that there are chances of its becoming bankrupt."_qs
           };
    QTest::newRow("space before the wrap")
        << u"\"Failing to control the members the speaker adjourned \"\n\"the House twice.\""_qs
        << QStringList { u"Failing to control the members the speaker adjourned the House twice."_qs };
    QTest::newRow("word broken at a hyphen")
        << u"\"The rowdies abused the journalist for reporting about their activi-\"\n\"ties.\""_qs
        << QStringList { u"The rowdies abused the journalist for reporting about their activities."_qs };
    QTest::newRow("stray stop at the wrap")
        << u"\"The fall of a school bus into the river was a great tragedy for the.\"\n\"whole nation.\""_qs
        << QStringList {
               u"The fall of a school bus into the river was a great tragedy for the whole nation."_qs
           };
    QTest::newRow("full stop on its own line")
        << u"\"He angled at the guard for a free entry\"\n\".\""_qs
        << QStringList { u"He angled at the guard for a free entry."_qs };
    QTest::newRow("short examples stay apart")
        << u"\"bright greens\"\n\"bright silver candlesticks\""_qs
        << QStringList { u"bright greens"_qs, u"bright silver candlesticks"_qs };
    QTest::newRow("a sentence then a lower-case one")
        << u"\"Once a great banyan tree stood here.\"\n\"we should stand firm on our opinions.\""_qs
        << QStringList { u"Once a great banyan tree stood here."_qs,
               u"we should stand firm on our opinions."_qs };
    QTest::newRow("capital letter starts a new example")
        << u"\"Many Indian companies are working with multinational companies to develop\"\n\"Computer chips.\""_qs
        << QStringList { u"Many Indian companies are working with multinational companies to develop"_qs,
               u"Computer chips."_qs };
    QTest::newRow("a name after a cut preposition")
        << u"\"The national assembly held a meeting to discuss the cyclonic situation in\"\n\"Orissa .\""_qs
        << QStringList {
               u"The national assembly held a meeting to discuss the cyclonic situation in Orissa ."_qs
           };
    QTest::newRow("record debris is not joined")
        << u"\"What is the use of coming here in search of Mohan, the bird has flown.\"\n\"fly the flag\"IDM\"-- see FLAG\""_qs
        << QStringList { u"What is the use of coming here in search of Mohan, the bird has flown."_qs,
               u"fly the flag\"IDM\"-- see FLAG"_qs };
}

void tst_DicbuildUnits::joinsWrappedExamples()
{
    QFETCH(QString, lines);
    QFETCH(QStringList, examples);
    QString text = u"word <N>\n1. शब्द\n"_qs;
    for (const QString &line : lines.split(u'\n'))
        text += u"      "_qs + line + u'\n';
    RawEntry e;
    QVERIFY(parseEntry(text.toStdString(), e));
    QStringList got;
    for (const std::string &x : e.examples)
        got << q(x).trimmed();
    QCOMPARE(got, examples);
    // Examples of different senses are never joined.
    QVERIFY(
        parseEntry("word <N>\n1. शब्द\n      \"It is a very long line that ends without a full stop for\"\n"
                   "2. बात\n      \"the second sense.\"\n",
            e));
    QCOMPARE(e.examples.size(), 2u);
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
    QTest::newRow("digit after a word") << u"विनाश करना, मिटाना९"_qs << u"vinash karna, mitana"_qs;
    QTest::newRow("digit before a word") << u"3परिवार में"_qs << u"parivar mein"_qs;
    QTest::newRow("digit inside a word") << u"गुला०ब~का~बाग़"_qs << u"gulab ka baag"_qs;
    QTest::newRow("digits around a note")
        << u"{उत्तरी~इंगलैंड~का७}९पहाड़ी~इलाका"_qs << u"(uttari inglaind ka) pahadi ilaka"_qs;
    QTest::newRow("a number is set apart") << u"अमेरिकी मुद्रा{50सेन्ट}"_qs << u"ameriki mudra (50 sent)"_qs;
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
    QTest::newRow("bar") << u"either|or choice"_qs << u"Either/or choice"_qs;
    QTest::newRow("hindi sentence dropped") << u"वह एक विश्वसनीय आदमी है।"_qs << QString();
    QTest::newRow("cut hindi fragment dropped") << u"रमेश अपने फार्म को"_qs << QString();
    QTest::newRow("cut off after the") << u"The fall of a school bus was a tragedy for the"_qs << QString();
    QTest::newRow("cut off after because") << u"It was difficult to read because"_qs << QString();
    QTest::newRow("first letter capital") << u"crisp potato chips"_qs << u"Crisp potato chips"_qs;
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
    QCOMPARE(q(firstExample({ "राम ने उसे अपना व्यापार संभालने का अधिकार दिया.", "He runs the shop." })),
        u"He runs the shop."_qs);
    QCOMPARE(q(firstExample({})), QString());
}

void tst_DicbuildUnits::formatsHeadwords_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("headword");
    QTest::newRow("spaces") << u"a  la   carte"_qs << u"a la carte"_qs;
    QTest::newRow("homonym number") << u"pallet1"_qs << u"pallet"_qs;
    QTest::newRow("number in the word") << u"catch-22"_qs << u"catch-22"_qs;
    QTest::newRow("accent") << u"café"_qs << u"cafe"_qs;
    QTest::newRow("devanagari") << u"कुछ"_qs << QString();
    QTest::newRow("underscore") << u"watch_dog"_qs << u"watch dog"_qs;
    QTest::newRow("underscores") << u"at_all_events"_qs << u"at all events"_qs;
    QTest::newRow("tilde") << u"book~keeper"_qs << u"book keeper"_qs;
    QTest::newRow("brackets") << u"wellington[boot]"_qs << u"wellington boot"_qs;
}

void tst_DicbuildUnits::formatsHeadwords()
{
    QFETCH(QString, raw);
    QFETCH(QString, headword);
    QCOMPARE(q(formatHeadword(raw.toStdString())), headword);
}

void tst_DicbuildUnits::foldsToAscii_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("ascii");
    QTest::newRow("acute") << u"résumé"_qs << u"resume"_qs;
    QTest::newRow("latin extended") << u"Łódź Ōsaka Çağlar"_qs << u"Lodz Osaka Caglar"_qs;
    QTest::newRow("letters without a base")
        << u"Æsir Straße Ørsted Þór"_qs << u"AEsir Strasse Orsted Thor"_qs;
    QTest::newRow("ligature ij") << u"Ĳssel"_qs << u"IJssel"_qs;
    QTest::newRow("signs") << u"6×4 ÷ 2"_qs << u"6x4 / 2"_qs;
    QTest::newRow("other scripts dropped") << u"a 中 b"_qs << u"a  b"_qs;
    // Every character outside ASCII and Devanagari that the dictionary
    // source, WordNet and the overlay hold (mostly the source's phonetics),
    // as the hand-written table folded them.
    QTest::newRow("what the sources hold")
        << u"\u00F0\u0144\u014B\u0250\u0251\u0252\u0254\u0259\u025B\u025C\u0261\u026A\u0279\u0283\u028A\u028C"
           "\u0292\u02C8\u02CC\u02D0\u0303\u03B8\u2018\u2019"_qs
        << u"dnn''"_qs;
    // What Unicode's compatibility decomposition gives is taken from it.
    QTest::newRow("spaces") << u"a\u00A0b\u2003c\u3000d\u202Fe"_qs << u"a b c d e"_qs;
    QTest::newRow("ellipsis") << u"wait\u2026"_qs << u"wait..."_qs;
    QTest::newRow("ligatures") << u"\uFB01ne o\uFB00"_qs << u"fine off"_qs;
    QTest::newRow("fullwidth") << u"\uFF21\uFF22\uFF11"_qs << u"AB1"_qs;
    QTest::newRow("vietnamese") << u"Vi\u1EC7t"_qs << u"Viet"_qs;
    QTest::newRow("superscript") << u"m\u00B2"_qs << u"m2"_qs;
    QTest::newRow("letters with a dot or apostrophe") << u"\u013F\u0140 \u0149"_qs << u"Ll n"_qs;
    // and what it would make wrong is not.
    QTest::newRow("not equal is not =") << u"a \u2260 b"_qs << u"a  b"_qs;
    QTest::newRow("fraction dropped") << u"\u00BD"_qs << QString();
    QTest::newRow("spacing accent dropped") << u"\u00A8\u00B8"_qs << QString();
    QTest::newRow("double prime") << u"5\u2033"_qs << u"5\""_qs;
    QTest::newRow("control characters are spaces") << u"a\u0001b\tc"_qs << u"a b c"_qs;
    QTest::newRow("devanagari digits and danda") << u"\u0967\u0968\u0964"_qs << u"12."_qs;
}

void tst_DicbuildUnits::foldsToAscii()
{
    QFETCH(QString, text);
    QFETCH(QString, ascii);
    QCOMPARE(q(foldToAscii(text.toStdU32String())), ascii);
}

void tst_DicbuildUnits::foldsEveryCodePointToPrintableAscii()
{
    for (char32_t c = 0; c < 0x30000; ++c) {
        if (c >= 0x0900 && c <= 0x097F)
            continue; // Devanagari is romanized, not folded
        for (const char ch : foldToAscii(std::u32string(1, c)))
            QVERIFY2(ch >= 0x20 && ch < 0x7F, qPrintable(QString::number(c, 16)));
    }
}

namespace {

// A tiny WordNet: "watch" with two noun senses (the second has the
// example) and a verb sense, "run" with an irregular form.
WordNet smallWordNet()
{
    WordNet w;
    w.addIndex('n', "  1 licence text\nwatch n 2 1 @ 2 1 00000001 00000002  \n");
    w.addData('n',
        "00000001 06 n 01 watch 0 000 | a period of guard duty; \"the night shift\"  \n"
        "00000002 06 n 01 watch 0 000 | a small portable timepiece; \"he looked at his watch\"; \"a watch "
        "strap\"  \n");
    w.addIndex('v', "watch v 1 0 1 0 00000003  \nrun v 1 0 1 0 00000004  \n");
    w.addData('v',
        "00000003 39 v 01 watch 0 000 | look attentively; \"watch a basketball game\"  \n"
        "00000004 38 v 01 run 0 000 | move fast; \"He ran to the store\"; \"run\"  \n");
    w.addExceptions("ran run\n");
    w.addIndex('a', "yellow a 1 0 1 0 00000005  \n");
    return w;
}

} // namespace

void tst_DicbuildUnits::findsWordNetExamplesInSenseOrder()
{
    const WordNet w = smallWordNet();
    QCOMPARE(q(w.example("watch", 'n')), u"He looked at his watch"_qs); // first sense has none using the word
    QCOMPARE(q(w.example("Watch", 'v')), u"Watch a basketball game"_qs);
    QCOMPARE(q(w.example("run", 'v')), u"He ran to the store"_qs); // irregular form; one-word example skipped
    QCOMPARE(q(w.example("watch", 'a')), QString());
    QCOMPARE(q(w.example("clock", 'n')), QString());
    QVERIFY(w.knows("watches"));
    QVERIFY(w.knows("ran"));
    QVERIFY(w.knows("the"));
    QVERIFY(!w.knows("apne"));
    QCOMPARE(wordNetPos("vti"), 'v');
    QCOMPARE(wordNetPos("adv"), 'r');
    QCOMPARE(wordNetPos("prep"), '\0');
}

void tst_DicbuildUnits::tellsEnglishFromRomanHindi_data()
{
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<bool>("english");
    QTest::newRow("english") << u"He watched the yellow watch."_qs << true;
    QTest::newRow("english with a name") << u"Ramesh ran to the watch."_qs << true;
    QTest::newRow("roman hindi") << u"Ramesh apne phaarm ko dekh raha hai."_qs << false;
    QTest::newRow("no words") << u"12 34"_qs << false;
}

void tst_DicbuildUnits::tellsEnglishFromRomanHindi()
{
    QFETCH(QString, sentence);
    QFETCH(bool, english);
    QCOMPARE(smallWordNet().looksEnglish(sentence.toStdString()), english);
}

void tst_DicbuildUnits::keepsCaseDistinctEntriesApart()
{
    std::string index;
    std::string dict;
    makeDictd({ "yellow <N>\n1. पीला~रंग\n      \"Sita's saree is yellow.\"\n",
                  "Yellow <N>\n1. मंगोली\n      \"The Whites look down upon the Yellows.\"\n" },
        index, dict);
    BuildReport report;
    const std::vector<DicEntry> entries
        = collectEntries(SourceTexts { index, dict, "yellow%1:07:00:: 1 9\n", {}, nullptr }, &report);
    QCOMPARE(report.merged, 0);
    QCOMPARE(entries.size(), 2u);
    QCOMPARE(q(entries[0].meaning), u"peela rang"_qs);
    QCOMPARE(entries[0].frequency, 9);
    QCOMPARE(q(entries[1].headword), u"Yellow"_qs);
    QCOMPARE(q(entries[1].meaning), u"mangoli"_qs);
    QCOMPARE(entries[1].frequency, 0); // WordNet's count is the colour's
}

void tst_DicbuildUnits::foldsNearDuplicateLines()
{
    std::string index;
    std::string dict;
    makeDictd({ "boil <VI>\n1. उबलना\n", "boil <VT>\n1. उबलना\n      \"Boil the water first.\"\n",
                  "boil <N>\n1. फोड़ा\n", "fifteen <Det>\n1. पन्द्रह\n", "fifteen <Pron>\n1. पन्द्रह\n",
                  "fifteen <N>\n1. पन्द्रह\n", "free <A>\n1. मुक्त\n", "free <V>\n1. मुक्त~करना\n",
                  "free <VT>\n1. मुक्त~करना\n2. छोड़ना\n" },
        index, dict);
    BuildReport report;
    const std::vector<DicEntry> entries
        = collectEntries(SourceTexts { index, dict, {}, {}, nullptr }, &report);
    QStringList lines;
    for (const DicEntry &e : entries)
        lines << q(e.headword + " " + e.code + " " + e.meaning + " | " + e.example);
    QCOMPARE(lines,
        QStringList({ u"boil vi ubalna | Boil the water first."_qs, u"boil n phoda | "_qs,
            u"fifteen det pandrah | "_qs, u"free a mukt | "_qs, u"free vt mukt karna; chhodna | "_qs }));
    QCOMPARE(report.nearDuplicates, 4);
}

void tst_DicbuildUnits::ordersLinesOfAHeadwordByPartOfSpeech()
{
    DicEntry noun = entry("watch", 0, true, "n");
    DicEntry verb = entry("watch", 0, true, "vti");
    noun.posFrequency = 20;
    verb.posFrequency = 60;
    verb.sourceOrder = 1;
    QVERIFY(listedBefore(verb, noun));
    noun.posFrequency = 60;
    QVERIFY(listedBefore(noun, verb)); // equal counts: source order
    QVERIFY(listedBefore(entry("watch", 0), entry("watchdog", 100)));
}

void tst_DicbuildUnits::fillsMissingExamples()
{
    std::string index;
    std::string dict;
    makeDictd({ "watch <N>\n1. घड़ी\n", "watch <VT>\n1. देखना\n      \"रमेश अपने फार्म को\"\n",
                  "run <V>\n1. दौड़ना\n      \"Ramesh apne ghar ko daud raha tha.\"\n", "clock <N>\n1. घड़ी\n",
                  "tower <N>\n1. मीनार\n      \"I saw the clock on a tower.\"\n" },
        index, dict);
    const WordNet w = smallWordNet();
    BuildReport report;
    const std::vector<DicEntry> entries = collectEntries(SourceTexts { index, dict, {}, {}, &w }, &report);
    QCOMPARE(entries.size(), 5u);
    QCOMPARE(q(entries[0].example), u"He looked at his watch"_qs);
    QCOMPARE(q(entries[1].example), u"Watch a basketball game"_qs); // the Hindi fragment is dropped
    QCOMPARE(q(entries[2].example), u"He ran to the store"_qs); // Roman Hindi is not English
    QCOMPARE(q(entries[3].example), u"I saw the clock on a tower."_qs); // from another entry
    QCOMPARE(report.examplesFromWordNet, 3);
    QCOMPARE(report.examplesFromOtherEntries, 1);
}

void tst_DicbuildUnits::appliesTheOverlay()
{
    std::string index;
    std::string dict;
    makeDictd({ "wedding <N>\n1. विवाहोत्सव\n2. शादी\n", "shark <N>\n1. सोर\n", "watch <N>\n1. रखवाली\n",
                  "clothes <N>\n1. वस्त्र\n2. पोशाक, कपड़े\n" },
        index, dict);
    const std::string overlay = "# everyday words\n"
                                "wedding\tn\tshaadi; byah\n"
                                "shark\tn\t=shark machhli\n"
                                "yellow\ta\tpeela\tShe wore a yellow sari.\r\n"
                                "clothes\tn\tkapde, vastra\n"
                                "\n";
    BuildReport report;
    const std::vector<DicEntry> entries
        = collectEntries(SourceTexts { index, dict, "yellow%3:00:00:: 1 5\n", overlay, nullptr }, &report);
    QCOMPARE(entries.size(), 5u);
    QCOMPARE(q(entries[0].meaning), u"shaadi; byah; vivahotsav"_qs); // first, without repeating shaadi
    QCOMPARE(q(entries[3].meaning), u"kapde, vastra; poshak"_qs); // no word twice
    QVERIFY(entries[0].pinned);
    QCOMPARE(q(entries[1].meaning), u"shark machhli"_qs); // replaced
    QCOMPARE(q(entries[2].meaning), u"rakhvali"_qs);
    QVERIFY(!entries[2].pinned);
    QCOMPARE(
        q(entries[4].headword + "|" + entries[4].code + "|" + entries[4].meaning + "|" + entries[4].example),
        u"yellow|a|peela|She wore a yellow sari."_qs);
    QCOMPARE(entries[4].frequency, 5);
    QVERIFY(entries[4].pinned);
    QCOMPARE(report.overlayChanged, 4);
    QVERIFY(report.staleOverlayLines.empty());
}

void tst_DicbuildUnits::reportsStaleOverlayLines()
{
    std::string index;
    std::string dict;
    makeDictd({ "rain <N>\n1. बारिश\n2. वर्षा\n", "price <N>\n1. मूल्य\n" }, index, dict);
    const std::string overlay = "rain\tn\tbaarish\n"
                                "rain\tn\tbarish\n" // given twice: refused below
        ;
    QVERIFY_THROWS_EXCEPTION(
        std::runtime_error, collectEntries(SourceTexts { index, dict, {}, overlay, nullptr }));
    BuildReport report;
    collectEntries(
        SourceTexts { index, dict, {}, "rain\tn\tbarish\nprice\tn\tdaam; keemat\n", nullptr }, &report);
    QCOMPARE(report.overlayChanged, 1);
    QCOMPARE(report.staleOverlayLines.size(), 1u);
    QCOMPARE(report.staleOverlayLines[0].number, 1);
    QCOMPARE(q(report.staleOverlayLines[0].headword), u"rain"_qs);
}

void tst_DicbuildUnits::refusesMalformedOverlayLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("two fields") << u"rain\tn"_qs;
    QTest::newRow("five fields") << u"rain\tn\tbarish\tIt rains.\textra"_qs;
    QTest::newRow("unknown code") << u"rain\tnoun\tbarish"_qs;
    QTest::newRow("bar in the meaning") << u"rain\tn\tbarish|varsha"_qs;
    QTest::newRow("devanagari") << u"rain\tn\tबारिश"_qs;
    QTest::newRow("empty meaning") << u"rain\tn\t="_qs;
}

void tst_DicbuildUnits::refusesMalformedOverlayLines()
{
    QFETCH(QString, line);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, Overlay(line.toStdString()));
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
        const velmora::LetterRange range = letterRange(places[i].letter);
        QVERIFY(range.end > range.start);
        QVERIFY(places[i].first >= range.start);
        QVERIFY(places[i].last <= range.end);
        if (i + 1 < places.size()) {
            // Both sides of the boundary lie in the overlap.
            QVERIFY(places[i].last >= letterRange(places[i + 1].letter).start);
            QVERIFY(places[i].last + 1 <= range.end);
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
    const std::vector<DicEntry> entries
        = collectEntries(SourceTexts { index, dict, "book%1:10:00:: 1 20\n", {}, nullptr }, &report);
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
