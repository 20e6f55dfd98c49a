#include "character/VoiceModule.h"

#include "character/VoiceEngine.h"

#include <QCoreApplication>
#include <QDir>
#include <QPluginLoader>

using namespace Qt::StringLiterals;

namespace velmora::character {

VoiceModule::VoiceModule(QString path)
    : m_path(std::move(path))
{
}

// The loader goes, the library stays: QPluginLoader unloads only when told.
VoiceModule::~VoiceModule() = default;

VoiceEngine *VoiceModule::engine()
{
    std::call_once(m_loaded, [this] {
        m_loader = std::make_unique<QPluginLoader>(m_path);
        QObject *instance = m_loader->instance();
        m_engine = qobject_cast<VoiceEngine *>(instance);
        if (!m_engine)
            qWarning("Velmora: characters will not speak: %s",
                qUtf8Printable(
                    instance ? u"%1 is not a voice module"_s.arg(m_path) : m_loader->errorString()));
    });
    return m_engine;
}

QString VoiceModule::defaultPath()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + u"/"_s
        + QStringLiteral(VELMORA_VOICE_MODULE_DIR) + u"/velmora-voice"_s);
}

VoiceModule &VoiceModule::shared()
{
    static VoiceModule module;
    return module;
}

} // namespace velmora::character
