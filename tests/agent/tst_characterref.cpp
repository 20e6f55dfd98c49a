#include "character/TestCharacterFile.h"
#include "character/AgentControl.h"
#include "agent/CharacterRef.h"
#include "base/Error.h"
#include "base/ErrorNumbers.h"

#include <QDir>
#include <QTemporaryDir>
#include "doubles/FailureOf.h"

#include <QTest>

#include <functional>

using velmora::Error;
using velmora::agent::AgentControl;
using velmora::agent::CharacterReference;
using velmora::agent::PatReference;
namespace ErrorNumber = velmora::ErrorNumber;

namespace {

template <typename Reference>
QList<std::pair<const char *, std::function<void(Reference &)>>> everyOperation()
{
    return {
        { "setLeft", [](Reference &r) { r.setLeft(610); } },
        { "setTop", [](Reference &r) { r.setTop(50); } },
        { "left", [](Reference &r) { r.left(); } },
        { "top", [](Reference &r) { r.top(); } },
        { "Show", [](Reference &r) { r.Show(); } },
        { "Hide", [](Reference &r) { r.Hide(); } },
        { "Play", [](Reference &r) { r.Play("Greet"); } },
        { "Stop", [](Reference &r) { r.Stop(); } },
        { "GestureAt", [](Reference &r) { r.GestureAt(1, 2); } },
        { "Speak", [](Reference &r) { r.Speak("word"); } },
    };
}

// Every operation through an empty reference fails with exactly this error.
template <typename Reference> void checkEmpty(qint32 number, const QString &description)
{
    Reference reference;
    QVERIFY(reference.isEmpty());
    for (const auto &[name, operation] : everyOperation<Reference>()) {
        try {
            operation(reference);
            QFAIL(name);
        } catch (const Error &e) {
            QVERIFY2(e.number() == number, name);
            QCOMPARE(e.description(), description);
        }
    }
}

} // namespace

class tst_CharacterRef : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void emptyPatRequiresAnObject();
    void emptyCharacterIsNotSet();
    void forwardsUntilClearedOrUnloaded();
};

void tst_CharacterRef::emptyPatRequiresAnObject()
{
    checkEmpty<PatReference>(424, "Object required");
}

void tst_CharacterRef::emptyCharacterIsNotSet()
{
    checkEmpty<CharacterReference>(91, "Object variable or With block variable not set");
}

// Loaded: both reach the one character. Unloaded: its own error, not 424
// or 91, since the reference still holds it. Cleared: empty again.
void tst_CharacterRef::forwardsUntilClearedOrUnloaded()
{
    QTemporaryDir dir;
    QVERIFY(QDir().mkpath(dir.filePath("MSAgent/Chars")));
    QVERIFY(writeFile(dir.filePath("MSAgent/Chars/testy.vchar"), testCharacterFile()));
    AgentControl control(dir.path());
    control.setAudioOutputFactory({});
    control.Characters().Load("Pat", "testy.vchar");
    PatReference pat;
    CharacterReference character;
    pat.set(control.Characters().Item("Pat"));
    character.set(control.Characters().Item("Pat"));

    pat.setLeft(610);
    pat.setTop(50);
    QCOMPARE(character.left(), 610);
    QCOMPARE(character.top(), 50);
    pat.Show();
    character.Play("Wave");
    QCOMPARE(pat.get()->queuedAnimations(), QStringList({ "Wave" }));

    control.Characters().Unload("Pat");
    QCOMPARE(failureOf([&] { pat.Show(); }), ErrorNumber::CharacterError);
    QCOMPARE(failureOf([&] { character.Stop(); }), ErrorNumber::CharacterError);
    pat.clear();
    character.set(nullptr);
    QVERIFY(pat.isEmpty() && character.isEmpty());
    QCOMPARE(failureOf([&] { pat.Show(); }), ErrorNumber::ObjectRequired);
    QCOMPARE(failureOf([&] { character.Stop(); }), ErrorNumber::ObjectNotSet);
}

QTEST_MAIN(tst_CharacterRef)
#include "tst_characterref.moc"
