// Any bytes as a character file: the parser accepts or refuses them with a
// reason, and an accepted file gets its rest pose drawn as loading draws it.
#include "base/Error.h"
#include "character/CharacterFileParser.h"
#include "character/FrameCache.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Drawing text needs fonts, which need a GUI application; no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    using velmora::character::CharacterFileParser;
    try {
        const auto definition = CharacterFileParser::parse(bytes, QStringLiteral("fuzz.vchar"));
        if (definition.drawings.isEmpty() || !definition.animation(QStringLiteral("Rest")))
            std::abort();
        velmora::character::FrameCache frames(definition, QStringLiteral("fuzz.vchar"));
        if (frames.drawNow(definition.animation(QStringLiteral("Rest"))->frames.first().drawing).isNull())
            std::abort();
    } catch (const velmora::Error &e) {
        // A refusal always says which file and why.
        if (!e.description().startsWith(QStringLiteral("\"fuzz.vchar\" ")))
            std::abort();
    }
    return 0;
}
