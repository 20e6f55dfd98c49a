#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

namespace velmora::character {

// Character drawings come from files anyone may hand us, and Qt SVG would
// follow links to other files and expand whatever it is given. So a drawing
// may only use a small set of plain shape elements, may link only inside the
// character file (#name), and may not chain links, which could otherwise
// multiply the rendering work without bound.
class SvgGuard {
public:
    static constexpr int MaxDepth = 32;
    static constexpr double MaxNumber = 100000;
    static constexpr int MaxTextLength = 500; // characters of <text> in one fragment

    // The work of drawing, in units of about a microsecond of Qt SVG's time
    // at worst (measured by bench_drawingwork): what the painter's time
    // follows. Each kind is kept apart so that a refusal can say which one
    // was too much.
    struct Work {
        double shapes = 0; // each element and each path segment: the same at any scale
        double outlines = 0; // the length of the outlines, filled and stroked, in pixels
        double strokes = 0; // how wide each segment is stroked: width times segments
        double text = 0; // glyph outlines: characters times their font size
        // Strokes and text whose width or font size is not given inside the
        // element: they take it from where it is drawn (a <use>, or the default).
        double perWidth = 0;
        double perFont = 0;

        double total() const { return shapes + outlines + strokes + text; }
        // The same drawing drawn `scale` times larger: all but the shapes grow with it.
        Work scaled(double scale) const;
        // The width and font size now known: what depended on them becomes work.
        void resolve(double strokeWidth, double fontSize);
        Work &operator+=(const Work &other);
        // Which kind makes up most of it, in words: "the width of its strokes"...
        QString largestShare() const;
    };
    // Where a <use> draws its target: at what scale, with which stroke width
    // and font size (NoWidth when taken from further out: none is given).
    struct Use {
        QString target;
        double scale = 1;
        double strokeWidth = -1;
        double fontSize = -1;
    };
    // What each element may cost by the pixels of the frame it could cover,
    // in the units of Work. Covering many pixels takes a long outline, which
    // is counted already; this is what is left (a wide stroke, a blend).
    static constexpr double AreaUnitsPerPixel = 0.0005;
    static constexpr double DefaultStrokeWidth = 1;
    static constexpr double DefaultFontSize = 16;

    struct Scan {
        QString problem; // empty when the markup is acceptable
        QSet<QString> linkTargets; // ids that xlink:href points at
        QSet<QString> idsWithLinks; // ids of elements that hold a link themselves or inside
        int elements = 0; // elements in the fragment
        QHash<QString, int> elementsUnder; // for each id: the elements of its subtree, itself included
        // The work of drawing the fragment, with the default stroke width and
        // font size where none is given, <use> not counted: see uses.
        Work work;
        // For each id: the work of its subtree where a <use> draws it, with the
        // width and font size still to come from the <use>.
        QHash<QString, Work> workUnder;
        double widestStroke = 0; // the largest stroke-width given, in pixels
        QList<Use> uses; // each <use>, once per <use>
    };

    // Checks a fragment of SVG markup: the content of an <svg> element
    // without the element itself.
    static Scan scanFragment(const QString &fragment);

    // Stroke widths in pixels: a number with no unit or "px". Other units
    // are refused, since a few inches of stroke could cover many frames.
    static constexpr double NoWidth = -1;

    // Checks the value of a transform attribute.
    static QString problemInTransform(const QString &transform);
    // How much a transform can stretch a length at most (1 for a rotation);
    // the transform must have passed problemInTransform.
    static double transformScale(const QString &transform);

    // Links across all the fragments of one file: no link may point at an
    // element that links again. Empty when there is no such chain.
    static QString problemInLinks(const QSet<QString> &linkTargets, const QSet<QString> &idsWithLinks);
};

} // namespace velmora::character
