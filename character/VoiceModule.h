#pragma once

#include <QString>

#include <memory>
#include <mutex>

class QPluginLoader;

namespace velmora::character {

class VoiceEngine;

// The speech module, velmora-voice, loaded on first use, so that the
// program starts without libespeak-ng and Qt Multimedia. A module that is
// missing or broken leaves the characters silent: they still animate, and
// the reason is reported once.
class VoiceModule {
public:
    explicit VoiceModule(QString path = defaultPath());
    ~VoiceModule();

    // The module's engine, loading it on the first call; nullptr when it
    // cannot be loaded. Safe from any thread; the first call blocks while
    // the module and its libraries load. A loaded module stays loaded for
    // the life of the process.
    VoiceEngine *engine();

    // Where the build and the install put the module: <libdir>/velmora beside
    // the program's folder.
    static QString defaultPath();
    // The program's own, at defaultPath().
    static VoiceModule &shared();

private:
    QString m_path;
    std::once_flag m_loaded;
    std::unique_ptr<QPluginLoader> m_loader;
    VoiceEngine *m_engine = nullptr;
};

} // namespace velmora::character
