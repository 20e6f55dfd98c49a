// Loading and listing the bundled dictionary, and the slowest keystroke.
// Run: build/bin/bench_lookup -platform offscreen
#include "app/DicFrm.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>

using namespace velmora;

namespace {
class SilentMessages : public MessageSink {
public:
    void show(const QString &, const QString &) override { }
};
} // namespace

// The bundled dictionary, with no character and no settings of the user's:
// the start-up finds no character folder and says so to nobody.
static DicFrm::Services services()
{
    static QTemporaryDir scratch;
    static SilentMessages messages;
    DicFrm::Services s;
    s.messages = &messages;
    const QString beside = DicFrm::defaultDictionaryPath();
    s.dictionaryPath
        = QFile::exists(beside) ? beside : QStringLiteral(VELMORA_SOURCE_DIR "/data/Complete.dic");
    s.windowsDirectory = scratch.path();
    s.settingsPath = scratch.filePath(QStringLiteral("settings.ini"));
    return s;
}

class bench_Lookup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void loadAndList();
    void loadListAndShow();
    void slowestKeystrokeScansTheWholeSRange();
};

void bench_Lookup::loadAndList()
{
    QBENCHMARK
    {
        DicFrm form(services());
        form.Form_Load();
    }
}

void bench_Lookup::loadListAndShow()
{
    QBENCHMARK
    {
        DicFrm form(services());
        form.Form_Load();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.grab();
    }
}

void bench_Lookup::slowestKeystrokeScansTheWholeSRange()
{
    DicFrm form(services());
    form.Form_Load();
    auto *search = form.findChild<QLineEdit *>(QStringLiteral("Text1"));
    bool flip = false;
    // Neither text matches, so each change scans every position of S.
    QBENCHMARK
    {
        search->setText(flip ? QStringLiteral("sqqqq") : QStringLiteral("sqqqz"));
        flip = !flip;
    }
}

QTEST_MAIN(bench_Lookup)
#include "bench_lookup.moc"
