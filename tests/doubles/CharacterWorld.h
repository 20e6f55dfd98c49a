#pragma once

#include "agent/AgentContext.h"
#include "agent/SettingsStore.h"
#include "character/AgentCharacter.h"
#include "character/AgentControl.h"
#include "doubles/ManualClock.h"

#include "doubles/RecordingMessageSink.h"
#include "doubles/RecordingProgramEnd.h"
#include <QThreadPool>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QWidget>

// The control's own character behind a reference, for tests that look at
// what it shows; nullptr when the reference is empty.
template <typename Reference> velmora::character::AgentCharacter *agentCharacter(const Reference &reference)
{
    return dynamic_cast<velmora::character::AgentCharacter *>(reference.get().get());
}

// A private world for the character handlers: a windows directory whose
// MSAgent/Chars holds copies of the shipped characters, a settings file of
// its own, a silent control whose characters keep the time of a ManualClock,
// the two references and recording doubles.
struct CharacterWorld {
    CharacterWorld()
        : MsAgent(windowsDir.path())
        , settings(windowsDir.filePath("settings/settings.ini"))
    {
        MsAgent.setAudioOutputFactory({});
        clock.setSettle(&ManualClock::settleThreadsAndEvents);
        MsAgent.setClock(clock);
        QDir().mkpath(charFolder());
        for (const char *name : { "gulmo.vchar", "oolo.vchar", "zippik.vchar" })
            addCharacter(name);
    }

    // A drawing still running on the pool reads the clock when it ends: it
    // must end before the clock goes.
    ~CharacterWorld() { QThreadPool::globalInstance()->waitForDone(); }

    QString charFolder() const { return windowsDir.filePath("MSAgent/Chars"); }

    // Copies a shipped character into the folder under `asName`.
    void addCharacter(const QString &shipped, const QString &asName = {})
    {
        const QString source = qEnvironmentVariable("VELMORA_SOURCE_DIR") + "/characters/" + shipped;
        QFile::copy(source, charFolder() + "/" + (asName.isEmpty() ? shipped : asName));
    }
    void addFile(const QString &name, const QByteArray &bytes)
    {
        QFile f(charFolder() + "/" + name);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }
    void removeCharFolder() { QDir(windowsDir.filePath("MSAgent")).removeRecursively(); }

    // Where start-up puts a character: at 610, 50, unless part of it would
    // then be off the screen (the test screen is 800 x 600; characters are
    // 200 wide), and then as near to it as the screen allows.
    static QPoint startPlace(const QWidget *characterWindow)
    {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        return { std::min(610, area.right() + 1 - characterWindow->width()),
            std::min(50, area.bottom() + 1 - characterWindow->height()) };
    }

    QString stored(const QString &key) const { return settings.read("Dic", "ChID", key, "<none>"); }
    void store(const QString &key, const QString &value) { settings.write("Dic", "ChID", key, value); }

    velmora::agent::AgentContext context()
    {
        return { MsAgent, Pat, Character, settings, messages, programEnd };
    }

    ManualClock clock; // first in, last out: the characters' timers outlive nothing of it
    QTemporaryDir windowsDir;
    velmora::character::AgentControl MsAgent;
    velmora::agent::PatReference Pat;
    velmora::agent::CharacterReference Character;
    velmora::agent::SettingsStore settings;
    RecordingMessageSink messages;
    RecordingProgramEnd programEnd;
};
