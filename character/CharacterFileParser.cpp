#include "character/CharacterFileParser.h"

#include "base/Error.h"
#include "base/ErrorNumbers.h"
#include "base/RegularFile.h"
#include "character/SvgGuard.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>

#include <cmath>
#include <map>
#include <optional>

using namespace Qt::StringLiterals;

namespace velmora::character {

namespace {

const QString Header = u"VelmoraCharacter 1"_s;

// A problem found on one line; turned into the Error at the top.
struct Fault {
    int line;
    QString what;
};

[[noreturn]] void fail(int line, const QString &what)
{
    throw Fault { line, what };
}

bool isName(const QString &name)
{
    static const QRegularExpression pattern(u"^[A-Za-z][A-Za-z0-9_-]{0,39}$"_s);
    return pattern.match(name).hasMatch();
}

// Splits at white space outside parentheses, so that "arm@rotate(30, 10, 20)" stays one token.
QStringList tokens(QStringView text, int line)
{
    QStringList result;
    QString current;
    int depth = 0;
    for (QChar c : text) {
        if (c == u'(')
            ++depth;
        else if (c == u')' && --depth < 0)
            fail(line, u"a \")\" has no \"(\""_s);
        if (c.isSpace() && depth == 0) {
            if (!current.isEmpty())
                result.append(std::exchange(current, QString()));
        } else {
            current.append(c);
        }
    }
    if (depth != 0)
        fail(line, u"a \"(\" is not closed"_s);
    if (!current.isEmpty())
        result.append(current);
    return result;
}

std::optional<int> wholeNumber(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

class Parser {
public:
    CharacterDefinition run(const QString &text);

private:
    struct Block {
        QString markup;
        int line = 0;
        int shapes = 0; // drawn when the part is a layer, uses included
        SvgGuard::Work work; // the same, as SvgGuard counts the work of drawing
    };
    struct Pose {
        QStringList layers;
        int line = 0;
    };
    struct FrameLine {
        int durationMs = 0;
        QStringList layers;
        int line = 0;
    };
    struct AnimationBlock {
        QString name;
        QList<FrameLine> frames;
        int line = 0;
    };

    void key(const QString &name, const QString &value, int line);
    void frameLine(AnimationBlock &animation, const QString &text, int line);
    struct Cost {
        int layers = 0;
        int shapes = 0;
        SvgGuard::Work work;
    };
    // `scale`: how much the layers around this one stretch it.
    QString compose(const QString &layer, int line, int nesting, double scale, Cost &cost) const;
    int drawingFor(const FrameLine &frame);
    QString document(const QString &body) const;
    void checkParts();
    CharacterDefinition finish();

    std::optional<QString> m_name;
    std::optional<QSize> m_size;
    std::optional<QString> m_voice;
    std::optional<int> m_pitch;
    std::optional<int> m_rate;
    std::optional<Block> m_defs;
    std::map<QString, Block> m_parts;
    std::map<QString, Pose> m_poses;
    QList<AnimationBlock> m_animations;
    int m_frameCount = 0;

    CharacterDefinition m_result;
    QHash<QByteArray, int> m_drawingIndex;
    qint64 m_drawingBytes = 0;
};

CharacterDefinition Parser::run(const QString &text)
{
    QStringList lines = text.split(u'\n');
    for (QString &line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    if (lines.first() != Header)
        fail(1, u"the first line must be \"%1\""_s.arg(Header));

    enum class In { Top, Defs, Part, Animation } in = In::Top;
    Block block;
    QString blockName;
    AnimationBlock animation;
    for (int i = 1; i < lines.size(); ++i) {
        const int lineNo = i + 1;
        const QString &raw = lines.at(i);
        const QString line = raw.trimmed();
        if (in == In::Defs || in == In::Part) {
            if (line == u"End"_s) {
                if (in == In::Defs)
                    m_defs = block;
                else
                    m_parts.emplace(blockName, block);
                in = In::Top;
            } else {
                block.markup += raw + u'\n';
            }
            continue;
        }
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (in == In::Animation) {
            if (line == u"End"_s) {
                if (animation.frames.isEmpty())
                    fail(animation.line, u"the animation \"%1\" has no frames"_s.arg(animation.name));
                m_animations.append(animation);
                in = In::Top;
            } else {
                frameLine(animation, line, lineNo);
            }
            continue;
        }

        const qsizetype space = line.indexOf(u' ');
        const QString word = line.left(space);
        const QString rest = space < 0 ? QString() : line.mid(space + 1).trimmed();
        if (word.endsWith(u':')) {
            key(word.chopped(1), rest, lineNo);
        } else if (word == u"Defs"_s && rest.isEmpty()) {
            if (m_defs)
                fail(lineNo, u"there is a second Defs block; one file has one"_s);
            in = In::Defs;
            block = Block { QString(), lineNo, 0, {} };
        } else if (word == u"Part"_s || word == u"Animation"_s) {
            if (!isName(rest))
                fail(lineNo,
                    u"\"%1\" is not a name: use letters, digits, \"-\" and \"_\", starting with a "
                    "letter, at most 40"_s.arg(rest));
            if (word == u"Part"_s) {
                if (m_parts.count(rest) || m_poses.count(rest))
                    fail(lineNo, u"the name \"%1\" is used twice"_s.arg(rest));
                if (int(m_parts.size() + m_poses.size()) >= CharacterFileParser::MaxParts)
                    fail(lineNo, u"more than %1 parts and poses"_s.arg(CharacterFileParser::MaxParts));
                in = In::Part;
                blockName = rest;
                block = Block { QString(), lineNo, 0, {} };
            } else {
                for (const AnimationBlock &a : std::as_const(m_animations)) {
                    if (a.name.compare(rest, Qt::CaseInsensitive) == 0)
                        fail(lineNo, u"the animation \"%1\" is defined twice"_s.arg(rest));
                }
                if (m_animations.size() >= CharacterFileParser::MaxAnimations)
                    fail(lineNo, u"more than %1 animations"_s.arg(CharacterFileParser::MaxAnimations));
                in = In::Animation;
                animation = AnimationBlock { rest, {}, lineNo };
            }
        } else if (word == u"Pose"_s) {
            const qsizetype colon = rest.indexOf(u':');
            const QString name = rest.left(colon).trimmed();
            if (colon < 0 || !isName(name))
                fail(lineNo, u"a pose reads \"Pose name: layer layer ...\""_s);
            if (m_parts.count(name) || m_poses.count(name))
                fail(lineNo, u"the name \"%1\" is used twice"_s.arg(name));
            if (int(m_parts.size() + m_poses.size()) >= CharacterFileParser::MaxParts)
                fail(lineNo, u"more than %1 parts and poses"_s.arg(CharacterFileParser::MaxParts));
            const QStringList layers = tokens(QStringView(rest).mid(colon + 1), lineNo);
            if (layers.isEmpty())
                fail(lineNo, u"the pose \"%1\" has no layers"_s.arg(name));
            m_poses.emplace(name, Pose { layers, lineNo });
        } else {
            fail(lineNo, u"\"%1\" is not understood here"_s.arg(line.left(60)));
        }
    }
    switch (in) {
    case In::Top:
        break;
    case In::Defs:
    case In::Part:
        fail(block.line, u"the block opened here has no \"End\" (is the file cut short?)"_s);
    case In::Animation:
        fail(animation.line, u"the animation opened here has no \"End\" (is the file cut short?)"_s);
    }
    return finish();
}

void Parser::key(const QString &name, const QString &value, int line)
{
    auto once = [&](auto &slot) {
        if (slot)
            fail(line, u"\"%1:\" is given twice"_s.arg(name));
    };
    if (name == u"Name"_s) {
        once(m_name);
        if (value.isEmpty() || value.size() > 64 || std::any_of(value.begin(), value.end(), [](QChar c) {
                return c.category() == QChar::Other_Control;
            }))
            fail(line, u"the name must be 1 to 64 characters of plain text"_s);
        m_name = value;
    } else if (name == u"Size"_s) {
        once(m_size);
        const QStringList parts = value.split(u' ', Qt::SkipEmptyParts);
        const auto w = parts.size() == 2 ? wholeNumber(parts[0]) : std::nullopt;
        const auto h = parts.size() == 2 ? wholeNumber(parts[1]) : std::nullopt;
        auto inRange = [](std::optional<int> v) {
            return v && *v >= CharacterFileParser::MinSide && *v <= CharacterFileParser::MaxSide;
        };
        if (!inRange(w) || !inRange(h))
            fail(line,
                u"the size must be a width and a height in pixels, each from %1 to %2, as in "
                "\"Size: 160 180\""_s.arg(CharacterFileParser::MinSide)
                    .arg(CharacterFileParser::MaxSide));
        m_size = QSize(*w, *h);
    } else if (name == u"Voice"_s) {
        once(m_voice);
        static const QRegularExpression voiceName(u"^[A-Za-z0-9_+-]{1,40}$"_s);
        if (!voiceName.match(value).hasMatch())
            fail(line, u"the voice must be an espeak-ng voice name such as \"en-gb\" or \"en-us+f3\""_s);
        m_voice = value;
    } else if (name == u"Pitch"_s || name == u"Rate"_s) {
        const bool pitch = name == u"Pitch"_s;
        std::optional<int> &slot = pitch ? m_pitch : m_rate;
        once(slot);
        const int low = pitch ? 0 : 80;
        const int high = pitch ? 99 : 450;
        const auto v = wholeNumber(value);
        if (!v || *v < low || *v > high)
            fail(line, u"\"%1:\" must be a whole number from %2 to %3"_s.arg(name).arg(low).arg(high));
        slot = v;
    } else {
        fail(line, u"\"%1:\" is not a known setting (Name, Size, Voice, Pitch, Rate)"_s.arg(name.left(40)));
    }
}

void Parser::frameLine(AnimationBlock &animation, const QString &text, int line)
{
    QStringList parts = tokens(text, line);
    const auto duration = wholeNumber(parts.takeFirst());
    if (!duration || *duration < CharacterFileParser::MinDurationMs
        || *duration > CharacterFileParser::MaxDurationMs)
        fail(line,
            u"a frame starts with its duration in milliseconds, from %1 to %2"_s
                .arg(CharacterFileParser::MinDurationMs)
                .arg(CharacterFileParser::MaxDurationMs));
    if (parts.isEmpty())
        fail(line, u"the frame has no layers"_s);
    if (++m_frameCount > CharacterFileParser::MaxFrames)
        fail(line, u"more than %1 frames"_s.arg(CharacterFileParser::MaxFrames));
    animation.frames.append(FrameLine { *duration, parts, line });
}

// One layer as markup: "part", "pose", either with "@transform", or "@transform" alone (handled by the
// caller).
QString Parser::compose(const QString &layer, int line, int nesting, double scale, Cost &cost) const
{
    const qsizetype at = layer.indexOf(u'@');
    const QString name = layer.left(at);
    const QString transform = at < 0 ? QString() : layer.mid(at + 1);
    if (!transform.isEmpty()) {
        if (QString p = SvgGuard::problemInTransform(transform); !p.isEmpty())
            fail(line, p);
        scale *= SvgGuard::transformScale(transform);
    } else if (at >= 0) {
        fail(line, u"\"%1\" has nothing after \"@\""_s.arg(layer));
    }

    QString markup;
    if (auto part = m_parts.find(name); part != m_parts.end()) {
        if (++cost.layers > CharacterFileParser::MaxLayersPerFrame)
            fail(line, u"the frame has more than %1 layers"_s.arg(CharacterFileParser::MaxLayersPerFrame));
        markup = part->second.markup;
        cost.shapes += part->second.shapes;
        cost.work += part->second.work.scaled(scale);
    } else if (auto pose = m_poses.find(name); pose != m_poses.end()) {
        if (nesting >= CharacterFileParser::MaxPoseNesting)
            fail(line,
                u"poses nest more than %1 deep (does a pose use itself?)"_s.arg(
                    CharacterFileParser::MaxPoseNesting));
        for (const QString &inner : pose->second.layers)
            markup += compose(inner, pose->second.line, nesting + 1, scale, cost);
    } else {
        fail(line, u"there is no part or pose named \"%1\""_s.arg(name));
    }
    if (transform.isEmpty())
        return markup;
    return u"<g transform=\"%1\">\n"_s.arg(transform) + markup + u"</g>\n"_s;
}

int Parser::drawingFor(const FrameLine &frame)
{
    QString body;
    QString frameTransform;
    Cost cost;
    for (const QString &layer : frame.layers) {
        if (layer.startsWith(u'@')) {
            if (!frameTransform.isEmpty())
                fail(frame.line, u"the frame has two transforms of its own"_s);
            frameTransform = layer.mid(1);
            if (QString p = SvgGuard::problemInTransform(frameTransform); !p.isEmpty())
                fail(frame.line, p);
            continue;
        }
        body += compose(layer, frame.line, 0, 1, cost);
    }
    if (cost.layers == 0)
        fail(frame.line, u"the frame has no layers"_s);
    if (cost.shapes > CharacterFileParser::MaxShapesPerFrame)
        fail(
            frame.line, u"the frame draws more than %1 shapes"_s.arg(CharacterFileParser::MaxShapesPerFrame));
    SvgGuard::Work work = cost.work;
    if (!frameTransform.isEmpty()) {
        body = u"<g transform=\"%1\">\n"_s.arg(frameTransform) + body + u"</g>\n"_s;
        work = work.scaled(SvgGuard::transformScale(frameTransform));
    }
    // Every element may fill and stroke the whole frame once.
    work.shapes += double(cost.shapes) * SvgGuard::AreaUnitsPerPixel * m_size->width() * m_size->height();
    const double total = work.total();
    const qint64 units = std::isnan(total) ? qint64(1e15) : qint64(std::min(total, 1e15));
    if (units > CharacterFileParser::MaxWorkPerFrame)
        fail(frame.line,
            u"the frame is too much work to draw: %1 units, more than %2, mostly %3 (a <use> counts what "
            "it repeats)"_s.arg(units)
                .arg(CharacterFileParser::MaxWorkPerFrame)
                .arg(work.largestShare()));

    const QByteArray bytes = document(body).toUtf8();
    if (auto known = m_drawingIndex.constFind(bytes); known != m_drawingIndex.constEnd()) {
        m_result.drawingWork[*known] = std::max(m_result.drawingWork.at(*known), units);
        return *known;
    }
    m_drawingBytes += bytes.size();
    if (m_drawingBytes > CharacterFileParser::MaxDrawingBytes)
        fail(frame.line,
            u"the drawings add up to more than %1 MiB"_s.arg(CharacterFileParser::MaxDrawingBytes >> 20));
    m_result.drawings.append(bytes);
    m_result.drawingWork.append(units);
    m_drawingIndex.insert(bytes, int(m_result.drawings.size() - 1));
    return int(m_result.drawings.size() - 1);
}

// An SVG document of the frame size: Defs, then body.
QString Parser::document(const QString &body) const
{
    const QSize size = *m_size;
    return u"<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
           "width=\"%1\" height=\"%2\" viewBox=\"0 0 %1 %2\">\n"_s.arg(size.width())
               .arg(size.height())
        + (m_defs ? u"<defs>\n"_s + m_defs->markup + u"</defs>\n"_s : QString()) + body + u"</svg>\n"_s;
}

void Parser::checkParts()
{
    QSet<QString> targets;
    QSet<QString> linking;
    QHash<QString, int> elementsUnder;
    QHash<QString, SvgGuard::Work> workUnder;
    std::map<QString, SvgGuard::Scan> scans;
    auto check = [&](const Block &block, const QString &what) {
        SvgGuard::Scan scan = SvgGuard::scanFragment(block.markup);
        if (!scan.problem.isEmpty())
            fail(block.line, what + u": "_s + scan.problem);
        targets.unite(scan.linkTargets);
        linking.unite(scan.idsWithLinks);
        elementsUnder.insert(scan.elementsUnder);
        workUnder.insert(scan.workUnder);
        // A stroke wider than the frame covers all of it and more; the
        // painter's time grows with the width, the picture does not.
        const int side = std::max(m_size->width(), m_size->height());
        if (scan.widestStroke > side)
            fail(block.line,
                what
                    + u": a stroke-width of %1 is wider than the frame (%2 pixels)"_s.arg(scan.widestStroke)
                          .arg(side));
        return scan;
    };
    if (m_defs)
        check(*m_defs, u"in Defs"_s);
    for (const auto &[name, block] : m_parts)
        scans.emplace(name, check(block, u"in the part \"%1\""_s.arg(name)));
    if (QString p = SvgGuard::problemInLinks(targets, linking); !p.isEmpty())
        fail(1, p);
    // A <use> draws its target again; no chains, so the target's own count is all it adds.
    for (auto &[name, block] : m_parts) {
        const SvgGuard::Scan &scan = scans.at(name);
        qint64 shapes = scan.elements;
        SvgGuard::Work work = scan.work;
        for (const SvgGuard::Use &use : scan.uses) {
            shapes += elementsUnder.value(use.target);
            SvgGuard::Work repeated = workUnder.value(use.target);
            repeated.resolve(use.strokeWidth, use.fontSize);
            work += repeated.scaled(use.scale);
        }
        block.shapes = int(std::min<qint64>(shapes, CharacterFileParser::MaxShapesPerFrame + 1));
        block.work = work;
    }
}

CharacterDefinition Parser::finish()
{
    if (!m_name)
        fail(1, u"\"Name:\" is missing"_s);
    if (!m_size)
        fail(1, u"\"Size:\" is missing"_s);
    if (!m_voice)
        fail(1, u"\"Voice:\" is missing"_s);
    for (QLatin1String required : CharacterDefinition::requiredAnimations()) {
        const bool present = std::any_of(m_animations.cbegin(), m_animations.cend(),
            [&](const AnimationBlock &a) { return a.name.compare(required, Qt::CaseInsensitive) == 0; });
        if (!present)
            fail(1, u"the animation \"%1\" is missing; every character needs it"_s.arg(required));
    }
    checkParts();

    m_result.displayName = *m_name;
    m_result.frameSize = *m_size;
    m_result.voice = Voice { *m_voice, m_pitch.value_or(50), m_rate.value_or(175) };
    for (const AnimationBlock &block : std::as_const(m_animations)) {
        CharacterDefinition::Animation animation { block.name, {} };
        for (const FrameLine &frame : block.frames)
            animation.frames.append({ drawingFor(frame), frame.durationMs });
        m_result.animations.append(animation);
    }
    QString parts;
    for (const auto &[name, block] : m_parts)
        parts += u"<g>\n"_s + block.markup + u"</g>\n"_s;
    m_result.pieces = document(parts).toUtf8();
    return m_result;
}

Error invalid(const QString &fileName, const QString &why)
{
    return Error(
        ErrorNumber::CharacterError, u"\"%1\" is not a valid character file: %2."_s.arg(fileName, why));
}

} // namespace

CharacterDefinition CharacterFileParser::parse(const QByteArray &content, const QString &fileName)
{
    if (content.size() > MaxFileSize)
        throw invalid(fileName, u"it is larger than %1 KiB"_s.arg(MaxFileSize / 1024));
    if (content.contains('\0'))
        throw invalid(fileName, u"it is not a text file"_s);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(content);
    if (utf8.hasError())
        throw invalid(fileName, u"it is not UTF-8 text"_s);
    if (text.startsWith(QChar::ByteOrderMark))
        text.remove(0, 1);
    try {
        return Parser().run(text);
    } catch (const Fault &fault) {
        throw invalid(fileName, u"line %1: %2"_s.arg(fault.line).arg(fault.what));
    }
}

CharacterDefinition CharacterFileParser::parseFile(const QString &path)
{
    const QString fileName = QFileInfo(path).fileName();
    // Opened, then checked: a FIFO or device swapped in would block the read.
    const RegularFile file = RegularFile::read(path, MaxFileSize);
    switch (file.status) {
    case RegularFile::Status::Read:
        return parse(file.bytes, fileName);
    case RegularFile::Status::NotRegular:
        throw invalid(fileName, u"it is not a regular file"_s);
    case RegularFile::Status::TooLarge:
        throw invalid(fileName, u"it is larger than %1 KiB"_s.arg(MaxFileSize / 1024));
    case RegularFile::Status::Missing:
    case RegularFile::Status::Unreadable:
        break;
    }
    throw invalid(fileName, u"it cannot be read (%1)"_s.arg(file.reason));
}

} // namespace velmora::character
