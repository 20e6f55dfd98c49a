// How long Qt SVG takes to draw the worst frames the work count lets in.
//
//   bench_drawingwork [repeats] [--write-slowest FILE]
//
// For each kind of expensive drawing (crowded fills, wide strokes, curves,
// arcs, <use>, transforms, gradients over the whole frame, text), builds a
// 512 x 512 character whose rest pose is as large as the count accepts,
// draws it the way the character control does, and prints the work counted,
// the slowest of `repeats` drawings and the time per unit. The bound in
// CharacterFileParser::MaxWorkPerFrame is chosen from these numbers.
// --write-slowest writes the slowest kind as a character whose every frame
// is that slow, to try the program with.
#include "base/Error.h"
#include "character/CharacterFileParser.h"
#include "character/FrameCache.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QRandomGenerator>

#include <cstdio>
#include <functional>

using velmora::character::CharacterDefinition;
using velmora::character::CharacterFileParser;
using velmora::character::FrameCache;

namespace {

constexpr int Side = 512;

QByteArray number(double v)
{
    return QByteArray::number(v);
}

// Every frame heavy, each a drawing of its own, for --write-slowest.
bool g_everyFrameHeavy = false;

// A character whose rest pose draws `rest` (a part's markup) with `defs`.
QByteArray character(const QByteArray &rest, const QByteArray &defs = {})
{
    QByteArray text
        = "VelmoraCharacter 1\nName: Bench\nSize: " + number(Side) + " " + number(Side) + "\nVoice: en\n";
    text += "Defs\n<linearGradient id=\"lin\"><stop offset=\"0\" stop-color=\"#f00\"/><stop offset=\"1\" "
            "stop-color=\"#00f\"/></linearGradient>\n<radialGradient id=\"rad\" cx=\"0.5\" cy=\"0.5\" "
            "r=\"0.5\"><stop offset=\"0\" stop-color=\"#f00\"/><stop offset=\"1\" "
            "stop-color=\"#00f\"/></radialGradient>\n"
        + defs + "End\n";
    text += "Part heavy\n" + rest + "\nEnd\nPart dot\n<rect width=\"4\" height=\"4\"/>\nEnd\n";
    int frame = 0;
    for (const char *name : { "Rest", "Idle", "Showing", "Hiding", "Speaking", "GestureLeft", "GestureRight",
             "GestureUp", "GestureDown", "Greet", "Wave", "DoMagic2" }) {
        text += QByteArray("Animation ") + name + "\n";
        if (!g_everyFrameHeavy)
            text += QByteArray(" 100 ") + (qstrcmp(name, "Rest") ? "dot" : "heavy") + "\n";
        for (int i = 0; g_everyFrameHeavy && i < 3; ++i, ++frame)
            text += " 100 heavy@translate(" + number(frame) + ",0)\n";
        text += "End\n";
    }
    return text;
}

QByteArray zigzag(int segments, quint32 seed, const std::function<QPoint(QRandomGenerator &, int)> &point)
{
    QRandomGenerator random(seed);
    QByteArray d = "M0,0";
    for (int i = 0; i < segments; ++i) {
        const QPoint p = point(random, i);
        d += " L" + number(p.x()) + "," + number(p.y());
    }
    return d;
}

QPoint anywhere(QRandomGenerator &random, int)
{
    return { random.bounded(Side), random.bounded(Side) };
}

QByteArray smallSteps(int segments)
{
    QRandomGenerator random(3);
    QByteArray d = "M256,256";
    for (int i = 0; i < segments; ++i)
        d += " l" + number(random.bounded(11) - 5) + "," + number(random.bounded(11) - 5);
    return d;
}

QByteArray stroked(const QByteArray &d, int width, const char *join)
{
    return "<path d=\"" + d + "\" fill=\"none\" stroke=\"#b03a2e\" stroke-width=\"" + number(width)
        + "\" stroke-linejoin=\"" + join + "\" stroke-linecap=\"round\" stroke-miterlimit=\"100\"/>";
}

struct Kind {
    const char *name;
    std::function<QByteArray(int)> file; // the character at size n
};

QList<Kind> kinds()
{
    const QByteArray text = "Wmgq@#%8";
    return {
        { "fill, crowded zigzag across the frame",
            [](int n) { return character("<path d=\"" + zigzag(n, 7, anywhere) + "\" fill=\"#345\"/>"); } },
        { "fill, zigzag along a band of rows",
            [](int n) {
                return character("<path d=\"" + zigzag(n, 7, [](QRandomGenerator &r, int i) {
                    return QPoint(i % 2 ? 0 : Side, r.bounded(4));
                }) + "\" fill=\"#345\"/>");
            } },
        { "stroke 512 round, short segments",
            [](int n) { return character(stroked(smallSteps(n), Side, "round")); } },
        { "stroke 512 miter, short segments",
            [](int n) { return character(stroked(smallSteps(n), Side, "miter")); } },
        { "stroke 32 round, short segments",
            [](int n) { return character(stroked(smallSteps(n), 32, "round")); } },
        { "stroke 512 round, long segments",
            [](int n) { return character(stroked(zigzag(n, 5, anywhere), Side, "round")); } },
        { "stroke 8 round, long segments",
            [](int n) { return character(stroked(zigzag(n, 5, anywhere), 8, "round")); } },
        { "stroke 64, random curves",
            [](int n) {
                QRandomGenerator random(9);
                QByteArray d = "M0,0";
                for (int i = 0; i < n; ++i) {
                    d += " C";
                    for (int k = 0; k < 3; ++k)
                        d += number(random.bounded(Side)) + "," + number(random.bounded(Side)) + " ";
                }
                return character(stroked(d, 64, "round"));
            } },
        { "stroke 64, large arcs",
            [](int n) {
                QByteArray d = "M10,10";
                for (int i = 0; i < n; ++i)
                    d += i % 2 ? " A250,250 0 1 1 10,10" : " A250,250 0 1 0 500,500";
                return character(stroked(d, 64, "round"));
            } },
        { "<use> of a path, width from the use",
            [](int n) {
                return character(QByteArray("<g stroke=\"#000\" fill=\"none\" stroke-width=\"512\" "
                                            "stroke-linejoin=\"round\">")
                        + QByteArray("<use xlink:href=\"#p\"/>").repeated(n) + "</g>",
                    "<path id=\"p\" d=\"" + smallSteps(10) + "\"/>\n");
            } },
        { "small path under scale(50), stroke 10",
            [](int n) {
                QRandomGenerator random(3);
                QByteArray d = "M5,5";
                for (int i = 0; i < n; ++i)
                    d += " L" + number(random.bounded(10)) + "," + number(random.bounded(10));
                return character("<g transform=\"scale(50)\">" + stroked(d, 10, "round") + "</g>");
            } },
        { "radial gradients over the whole frame",
            [](int n) {
                return character(QByteArray("<rect width=\"512\" height=\"512\" fill=\"url(#rad)\" "
                                            "stroke=\"url(#rad)\" stroke-width=\"100\" opacity=\"0.5\"/>")
                                     .repeated(n));
            } },
        { "circles over the whole frame, filled and stroked",
            [](int n) {
                return character(QByteArray("<circle cx=\"256\" cy=\"256\" r=\"256\" fill=\"url(#lin)\" "
                                            "stroke=\"#345\" stroke-width=\"100\" opacity=\"0.5\"/>")
                                     .repeated(n));
            } },
        { "tiny shapes, as many as allowed",
            [](int n) {
                return character(QByteArray("<rect x=\"1\" y=\"1\" width=\"2\" height=\"2\" fill=\"#345\"/>")
                                     .repeated(std::min(n, 990)));
            } },
        { "text, font-size 100, stroke 512",
            [text](int n) {
                return character(
                    "<text x=\"0\" y=\"200\" font-size=\"100\" stroke=\"#000\" stroke-width=\"512\" "
                    "stroke-linejoin=\"round\">"
                    + text.repeated(n / 8 + 1).left(n) + "</text>");
            } },
        { "text, font-size 512, stroke 8",
            [text](int n) {
                return character(
                    "<text x=\"0\" y=\"400\" font-size=\"512\" stroke=\"#000\" stroke-width=\"8\">"
                    + text.repeated(n / 8 + 1).left(n) + "</text>");
            } },
        { "text, font-size 5000",
            [text](int n) {
                return character("<text x=\"0\" y=\"400\" font-size=\"5000\">"
                    + text.repeated(n / 8 + 1).left(n) + "</text>");
            } },
        { "text, font-size 16",
            [text](int n) {
                return character("<text x=\"0\" y=\"200\" font-size=\"16\">"
                    + text.repeated(n / 8 + 1).left(n) + "</text>");
            } },
    };
}

// The work of the rest pose, or -1 when the file is refused.
qint64 restWork(const QByteArray &file, CharacterDefinition *definition = nullptr)
{
    try {
        CharacterDefinition c = CharacterFileParser::parse(file, QStringLiteral("bench.vchar"));
        const qint64 work = c.drawingWork.at(c.animation(u"Rest")->frames.first().drawing);
        if (definition)
            *definition = std::move(c);
        return work;
    } catch (const velmora::Error &) {
        return -1;
    }
}

double slowestMs(const CharacterDefinition &c, int repeats)
{
    const QByteArray &rest = c.drawings.at(c.animation(u"Rest")->frames.first().drawing);
    double slowest = 0;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer clock;
        clock.start();
        const QImage image = FrameCache::draw(rest, c.frameSize, 1.0);
        slowest = std::max(slowest, double(clock.nsecsElapsed()) / 1e6);
    }
    return slowest;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const int repeats = arguments.size() > 1 ? std::max(1, arguments.at(1).toInt()) : 3;
    const qsizetype write = arguments.indexOf(QStringLiteral("--write-slowest"));
    const QString slowestFile = write > 0 ? arguments.value(write + 1) : QString();
    const Kind *slowestKind = nullptr;
    int slowestN = 0;
    std::printf("bound: %lld units per frame\n\n", qint64(CharacterFileParser::MaxWorkPerFrame));
    std::printf(
        "%-44s %6s %8s %9s %8s\n", "kind (512 x 512, the largest accepted)", "n", "units", "ms", "us/unit");
    double worst = 0;
    const QList<Kind> all = kinds();
    for (const Kind &kind : all) {
        // The largest n still accepted.
        int low = 0;
        int high = 1;
        while (high < 200000 && restWork(kind.file(high)) >= 0)
            low = high, high *= 2;
        while (high - low > 1) {
            const int middle = (low + high) / 2;
            (restWork(kind.file(middle)) >= 0 ? low : high) = middle;
        }
        CharacterDefinition c;
        const qint64 units = low > 0 ? restWork(kind.file(low), &c) : -1;
        if (units < 0) {
            std::printf("%-44s refused at any size\n", kind.name);
            continue;
        }
        const double ms = slowestMs(c, repeats);
        if (ms > worst) {
            slowestKind = &kind;
            slowestN = low;
        }
        worst = std::max(worst, ms);
        std::printf("%-44s %6d %8lld %9.1f %8.3f\n", kind.name, low, units, ms, ms * 1000 / double(units));
        std::fflush(stdout);
    }
    std::printf("\nslowest accepted frame: %.1f ms\n", worst);
    if (!slowestFile.isEmpty() && slowestKind) {
        g_everyFrameHeavy = true;
        QFile out(slowestFile);
        if (!out.open(QIODevice::WriteOnly) || out.write(slowestKind->file(slowestN)) < 0)
            return 1;
        std::printf("wrote %s: %s, every frame\n", qPrintable(slowestFile), slowestKind->name);
    }

#ifdef VELMORA_CHARACTERS_DIR
    std::printf("\nshipped characters, slowest frame:\n");
    const QDir shipped(QStringLiteral(VELMORA_CHARACTERS_DIR));
    for (const QString &name : shipped.entryList({ QStringLiteral("*.vchar") })) {
        const CharacterDefinition c = CharacterFileParser::parseFile(shipped.filePath(name));
        qint64 most = 0;
        double slowest = 0;
        for (qsizetype i = 0; i < c.drawings.size(); ++i) {
            most = std::max(most, c.drawingWork.at(i));
            QElapsedTimer clock;
            clock.start();
            FrameCache::draw(c.drawings.at(i), c.frameSize, 1.0);
            slowest = std::max(slowest, double(clock.nsecsElapsed()) / 1e6);
        }
        std::printf("%-44s %6s %8lld %9.1f\n", qPrintable(name), "", most, slowest);
    }
#endif
    return 0;
}
