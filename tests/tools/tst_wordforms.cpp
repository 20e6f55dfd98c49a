// velmora-dicbuild's word forms: which of WordNet's exceptions are kept, and
// the file's layout as the program reads it.
#include "dictionary/Morphology.h"
#include "tools/WordFormsBuilder.h"

#include <QTest>

using velmora::Morphology;
using velmora::dicbuild::buildWordForms;

namespace {
const std::string kDictionary = "child||n||baccha||\r\n"
                                "go||v||jana||\r\n"
                                "good||a||achchha||\r\n"
                                "well||adv||achchhi tarah||\r\n"
                                "Goose||n||hans||\r\n"
                                "better||a||behtar||\r\n"
                                "ice cream||n||kulfi||\r\n";
const std::string kNoun = "children child\n"
                          "geese goose\n"
                          "oxen ox\n"
                          "ice_creams ice_cream\n";
const std::string kVerb = "went go\n"
                          "goes go\n"
                          "broken\n";
const std::string kAdj = "better good well\n"
                         "best good well\n";
const std::string kAdv = "best well\n";

QString exceptionsOf(const std::string &file)
{
    const QString text = QString::fromStdString(file);
    return text.mid(text.indexOf("[exceptions]\n") + 13);
}
} // namespace

class tst_WordForms : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keepsFormsOfHeadwordsOnly();
    void theProgramReadsWhatTheToolWrites();
};

void tst_WordForms::keepsFormsOfHeadwordsOnly()
{
    const std::string file = buildWordForms({ kNoun, kVerb, kAdj, kAdv }, kDictionary);
    // Sorted; bases in list order without repeats; an unknown base (ox), a
    // multi-word form, a form that is a headword itself (better) and a line
    // without a base (broken) are left out; a headword's case does not matter.
    QCOMPARE(exceptionsOf(file),
        "best good well\n"
        "children child\n"
        "geese goose\n"
        "goes go\n"
        "went go\n");
    QVERIFY(file.starts_with("#"));
    QCOMPARE(buildWordForms({ kNoun, kVerb, kAdj, kAdv }, kDictionary), file);
}

void tst_WordForms::theProgramReadsWhatTheToolWrites()
{
    const std::string file = buildWordForms({ kNoun, kVerb, kAdj, kAdv }, kDictionary);
    const Morphology forms(QByteArray::fromStdString(file));
    QCOMPARE(forms.exceptionCount(), 5);
    QCOMPARE(forms.suffixRuleCount(), 20);
    const auto any = [](const QString &, const QString &) { return true; };
    QCOMPARE(forms.baseForms("best", any).mid(0, 2), (QStringList { "good", "well" }));
    const auto verbsOnly
        = [](const QString &base, const QString &pos) { return base == "bark" && pos == "verb"; };
    QCOMPARE(forms.baseForms("barking", verbsOnly), QStringList { "bark" });
}

QTEST_APPLESS_MAIN(tst_WordForms)
#include "tst_wordforms.moc"
