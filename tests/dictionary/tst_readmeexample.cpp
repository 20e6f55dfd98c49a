#include "dictionary/DictionaryLookup.h"
#include "doubles/FakeDictionaryView.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace velmora;

// The README opens with a lookup a reader can try at once. It has to stay
// true of the bundled dictionary: type the letters one by one, as the search
// box would see them, and compare what the window would show.
class tst_ReadmeExample : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void openingExampleIsWhatTheWindowShows();
};

void tst_ReadmeExample::openingExampleIsWhatTheWindowShows()
{
    const QString source = qEnvironmentVariable("VELMORA_SOURCE_DIR");
    QVERIFY2(!source.isEmpty(), "VELMORA_SOURCE_DIR is not set");
    QFile readme(source + "/README.md");
    QVERIFY(readme.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(readme.readAll()).simplified();

    // type "ab" and the list selects "Aback", meaning "Peechhe, Hataprabh" (Adverb)
    static const QRegularExpression example(QString::fromLatin1(
        R"re(type "([^"]+)" and the list selects "([^"]+)", meaning "([^"]+)" \(([^)]+)\))re"));
    const QRegularExpressionMatch shown = example.match(text);
    QVERIFY2(shown.hasMatch(), "README.md lost its opening example, or its wording changed");

    FakeDictionaryView view;
    DictionaryLookup lookup(view);
    view.onSelect = [&lookup] { lookup.List1_Click(); };
    lookup.LoadDictionary(source + "/data/Complete.dic");
    view.setSelectedIndex(0);
    const QString typed = shown.captured(1);
    for (qsizetype n = 1; n <= typed.size(); ++n) {
        view.search = typed.left(n);
        lookup.Text1_Change();
    }

    QCOMPARE(view.selectedText(), shown.captured(2));
    QCOMPARE(view.meaning, shown.captured(3));
    QCOMPARE(view.wordType, shown.captured(4));
}

QTEST_APPLESS_MAIN(tst_ReadmeExample)
#include "tst_readmeexample.moc"
