#include "base/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using velmora::locateDataFolders;
using namespace Qt::StringLiterals;

// The program finds its data from its own folder, the same way in a build
// tree, a staged install and a real one.
class tst_DataFolder : public QObject {
    Q_OBJECT

    QTemporaryDir m_root;

    void touch(const QString &relative)
    {
        const QString path = m_root.filePath(relative);
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        touch(u"build/bin/Complete.dic"_s);
        touch(u"stage/usr/share/velmora/Complete.dic"_s);
        QVERIFY(QDir().mkpath(m_root.filePath(u"stage/usr/bin"_s)));
        QVERIFY(QDir().mkpath(m_root.filePath(u"bare/bin"_s)));
    }

    void folders_data()
    {
        QTest::addColumn<QString>("programDir");
        QTest::addColumn<QString>("override");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("windows");

        QTest::newRow("build tree: dictionary next to the program")
            << u"build/bin"_s << QString() << u"build/bin"_s << u"build/bin"_s;
        QTest::newRow("staged install: bin/../share/velmora")
            << u"stage/usr/bin"_s << QString() << u"stage/usr/share/velmora"_s
            << u"stage/usr/share/velmora"_s;
        QTest::newRow("nothing found: the installed place, for the message")
            << u"bare/bin"_s << QString() << u"bare/share/velmora"_s << u"bare/share/velmora"_s;
        QTest::newRow("override moves only the character root")
            << u"stage/usr/bin"_s << u"/somewhere/else"_s << u"stage/usr/share/velmora"_s
            << u"/somewhere/else"_s;
        QTest::newRow("override in a build tree")
            << u"build/bin"_s << u"/chars"_s << u"build/bin"_s << u"/chars"_s;
        QTest::newRow("trailing slash on the program folder")
            << u"stage/usr/bin/"_s << QString() << u"stage/usr/share/velmora"_s
            << u"stage/usr/share/velmora"_s;
    }

    void folders()
    {
        QFETCH(QString, programDir);
        QFETCH(QString, override);
        QFETCH(QString, data);
        QFETCH(QString, windows);
        auto absolute = [this](const QString &p) { return p.startsWith(u'/') ? p : m_root.filePath(p); };

        const auto found = locateDataFolders(m_root.filePath(programDir), override);
        QCOMPARE(found.data, absolute(data));
        QCOMPARE(found.windows, absolute(windows));
    }
};

QTEST_APPLESS_MAIN(tst_DataFolder)
#include "tst_datafolder.moc"
