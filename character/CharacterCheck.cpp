#include "character/CharacterCheck.h"

#include "base/Error.h"
#include "character/CharacterFileParser.h"
#include "character/FrameCache.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace velmora::character {

namespace {

// Draws one drawing as the frame cache does and says how long it took.
qint64 drawingNs(const QByteArray &drawing, QSize size, const Clock &clock)
{
    const std::chrono::nanoseconds started = clock.now();
    FrameCache::draw(drawing, size, 1.0);
    return (clock.now() - started).count();
}

} // namespace

CharacterCheck CharacterCheck::run(const QString &path, const Clock &clock)
{
    const QString fileName = QFileInfo(path).fileName();
    CharacterCheck check;
    try {
        const CharacterDefinition definition = CharacterFileParser::parseFile(path);
        // Loading refuses what Qt SVG cannot read.
        const FrameCache loaded(definition, fileName);

        qint64 slowestNs = -1;
        QString slowestWhere;
        qsizetype frames = 0;
        QList<qint64> timeOf(definition.drawings.size(), -1);
        for (const CharacterDefinition::Animation &animation : definition.animations) {
            for (qsizetype i = 0; i < animation.frames.size(); ++i, ++frames) {
                const int drawing = animation.frames.at(i).drawing;
                if (timeOf.at(drawing) < 0)
                    timeOf[drawing] = drawingNs(definition.drawings.at(drawing), definition.frameSize, clock);
                if (timeOf.at(drawing) > slowestNs) {
                    slowestNs = timeOf.at(drawing);
                    slowestWhere = u"frame %1 of \"%2\""_s.arg(i + 1).arg(animation.name);
                }
            }
        }
        check.accepted = true;
        check.report
            = u"\"%1\" is a valid character file.\n"
              "Name: %2\n"
              "Size: %3 x %4 pixels\n"
              "Animations: %5\n"
              "Frames: %6 (%7 different drawings)\n"
              "Slowest frame: %8 ms to draw (%9)\n"
              "Most work in one frame: %10 of %11 units\n"_s.arg(fileName, definition.displayName)
                  .arg(definition.frameSize.width())
                  .arg(definition.frameSize.height())
                  .arg(definition.animations.size())
                  .arg(frames)
                  .arg(definition.drawings.size())
                  .arg(double(slowestNs) / 1e6, 0, 'f', 1)
                  .arg(slowestWhere)
                  .arg(*std::max_element(definition.drawingWork.cbegin(), definition.drawingWork.cend()))
                  .arg(CharacterFileParser::MaxWorkPerFrame);
    } catch (const Error &e) {
        check.report = e.description() + u'\n';
    }
    return check;
}

} // namespace velmora::character
