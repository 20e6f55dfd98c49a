#include "character/SvgGuard.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace velmora::character {

namespace {

const QString SvgNamespace = u"http://www.w3.org/2000/svg"_s;
const QString XlinkNamespace = u"http://www.w3.org/1999/xlink"_s;

bool isAllowedElement(QStringView name)
{
    static const QSet<QString> allowed = [] {
        const QStringList names = u"g defs path rect circle ellipse line polyline polygon linearGradient "
                                  "radialGradient stop use text tspan title desc"_s.split(u' ');
        return QSet<QString>(names.begin(), names.end());
    }();
    return allowed.contains(name.toString());
}

// Numbers beyond MaxNumber serve no drawing of a few hundred pixels and
// only make the painter work hard. Colours and #links are not numbers.
QString problemInNumbers(const QString &value)
{
    static const QRegularExpression references(u"#[A-Za-z0-9_.:-]*"_s);
    static const QRegularExpression number(u"[-+]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][-+]?\\d+)?"_s);
    QString text = value;
    text.remove(references);
    for (const QRegularExpressionMatch &m : number.globalMatch(text)) {
        const double v = m.captured().toDouble();
        if (!std::isfinite(v) || std::abs(v) > SvgGuard::MaxNumber)
            return u"the number %1 is too large for a drawing"_s.arg(m.captured());
    }
    return {};
}

// The stroke width a stroke-width value gives in pixels, or NoWidth when it
// uses a unit we do not take.
double strokeWidth(QStringView value)
{
    QString text = value.trimmed().toString().toLower();
    if (text.endsWith(u"px"_s))
        text.chop(2);
    bool ok = false;
    const double width = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(width) ? std::abs(width) : SvgGuard::NoWidth;
}

// Raises `widest` to the stroke-width of a style attribute ("fill:red;stroke-width:3").
QString problemInStyleWidth(const QString &style, double &widest)
{
    for (const QString &declaration : style.split(u';')) {
        const qsizetype colon = declaration.indexOf(u':');
        if (colon < 0
            || declaration.first(colon).trimmed().compare(u"stroke-width"_s, Qt::CaseInsensitive) != 0)
            continue;
        const double width = strokeWidth(QStringView(declaration).sliced(colon + 1));
        if (width == SvgGuard::NoWidth)
            return u"stroke-width takes a number of pixels"_s;
        widest = std::max(widest, width);
    }
    return {};
}

// Every url(...) must name something in this file: url(#id).
QString problemInUrls(const QString &value)
{
    QString compact = value;
    compact.removeIf([](QChar c) { return c.isSpace() || c == u'"' || c == u'\''; });
    compact = compact.toLower();
    for (qsizetype at = compact.indexOf(u"url("_s); at >= 0; at = compact.indexOf(u"url("_s, at + 4)) {
        if (compact.mid(at + 4, 1) != u"#"_s)
            return u"url(...) may only point inside the file, as in url(#name)"_s;
    }
    return {};
}

// The weights of the work count, in units of about a microsecond of Qt
// SVG's time at worst on the machine bench_drawingwork calibrated them on.
// Filling costs with the outline's length in pixels (the rasterizer visits
// every pixel the outline crosses, and crowded rows cost more); a stroke is
// filled as an outline around each segment, twice its length plus a piece
// as wide as the pen for each segment, join and cap. Every shape is counted
// as filled and stroked: either may be inherited from where it is used.
constexpr double ElementUnits = 5; // any element: a node to set up and paint
constexpr double SegmentUnits = 1; // each segment of an outline
constexpr double FillUnitsPerPixel = 1; // of outline length (across plus down)
constexpr double StrokeUnitsPerPixel = 2; // both sides of a stroke
constexpr double WidthUnits = 5; // each segment, per pixel of stroke width
// A glyph as an outline: segments, and pixels of outline per pixel of font size.
constexpr int GlyphSegments = 24;
constexpr double GlyphOutline = 6;

// The segments of an outline and its length (across plus down, in the
// element's own units), which bounds the length of the curve it draws.
struct Outline {
    double segments = 0;
    double length = 0;
};

double manhattan(double x0, double y0, double x1, double y1)
{
    return std::abs(x1 - x0) + std::abs(y1 - y0);
}

// Reads SVG path data as Qt SVG draws it, only to measure it. A curve
// counts its control polygon, longer than the curve; an arc the whole
// ellipse it lies on.
Outline pathOutline(QStringView d)
{
    Outline outline;
    qsizetype i = 0;
    const qsizetype n = d.size();
    auto skip = [&] {
        while (i < n && (d[i].isSpace() || d[i] == u','))
            ++i;
    };
    auto number = [&](double &out) {
        skip();
        const qsizetype start = i;
        if (i < n && (d[i] == u'+' || d[i] == u'-'))
            ++i;
        bool digits = false;
        while (i < n && d[i].isDigit())
            ++i, digits = true;
        if (i < n && d[i] == u'.') {
            ++i;
            while (i < n && d[i].isDigit())
                ++i, digits = true;
        }
        if (!digits) {
            i = start;
            return false;
        }
        if (i < n && (d[i] == u'e' || d[i] == u'E')) {
            qsizetype e = i + 1;
            if (e < n && (d[e] == u'+' || d[e] == u'-'))
                ++e;
            if (e < n && d[e].isDigit()) {
                i = e;
                while (i < n && d[i].isDigit())
                    ++i;
            }
        }
        out = d.sliced(start, i - start).toDouble();
        return std::isfinite(out);
    };
    auto flag = [&](double &out) {
        skip();
        if (i < n && (d[i] == u'0' || d[i] == u'1')) {
            out = d[i] == u'1';
            ++i;
            return true;
        }
        return false;
    };

    double x = 0, y = 0, startX = 0, startY = 0, controlX = 0, controlY = 0;
    QChar command;
    QChar previous;
    auto to = [&](double nx, double ny, double length) {
        outline.segments += 1;
        outline.length += length;
        x = nx;
        y = ny;
    };
    auto closeSubpath = [&] { outline.length += manhattan(x, y, startX, startY); };
    while (true) {
        skip();
        if (i >= n)
            break;
        if (d[i].isLetter()) {
            command = d[i++];
            if (command == u'z' || command == u'Z') {
                closeSubpath();
                outline.segments += 1;
                x = startX;
                y = startY;
                previous = command;
                command = QChar();
                continue;
            }
        } else if (command.isNull()) {
            ++i; // what Qt SVG would not take either
            continue;
        }
        const bool relative = command.isLower();
        const double ox = relative ? x : 0;
        const double oy = relative ? y : 0;
        double a[7] = {};
        auto read = [&](int count) {
            for (int k = 0; k < count; ++k) {
                if (!number(a[k]))
                    return false;
            }
            return true;
        };
        bool ok = true;
        const bool smoothAfter = previous.toUpper() == command.toUpper()
            || (command.toUpper() == u'S' && previous.toUpper() == u'C')
            || (command.toUpper() == u'T' && previous.toUpper() == u'Q');
        switch (command.toUpper().unicode()) {
        case 'M':
            if ((ok = read(2))) {
                closeSubpath();
                x = startX = ox + a[0];
                y = startY = oy + a[1];
                command = relative ? QChar(u'l') : QChar(u'L'); // pairs after a move draw lines
            }
            break;
        case 'L':
            if ((ok = read(2)))
                to(ox + a[0], oy + a[1], manhattan(x, y, ox + a[0], oy + a[1]));
            break;
        case 'H':
            if ((ok = read(1)))
                to(ox + a[0], y, std::abs(ox + a[0] - x));
            break;
        case 'V':
            if ((ok = read(1)))
                to(x, oy + a[0], std::abs(oy + a[0] - y));
            break;
        case 'C':
            if ((ok = read(6))) {
                const double length = manhattan(x, y, ox + a[0], oy + a[1])
                    + manhattan(ox + a[0], oy + a[1], ox + a[2], oy + a[3])
                    + manhattan(ox + a[2], oy + a[3], ox + a[4], oy + a[5]);
                controlX = ox + a[2];
                controlY = oy + a[3];
                to(ox + a[4], oy + a[5], length);
            }
            break;
        case 'S':
            if ((ok = read(4))) {
                const double c1x = smoothAfter ? 2 * x - controlX : x;
                const double c1y = smoothAfter ? 2 * y - controlY : y;
                const double length = manhattan(x, y, c1x, c1y) + manhattan(c1x, c1y, ox + a[0], oy + a[1])
                    + manhattan(ox + a[0], oy + a[1], ox + a[2], oy + a[3]);
                controlX = ox + a[0];
                controlY = oy + a[1];
                to(ox + a[2], oy + a[3], length);
            }
            break;
        case 'Q':
            if ((ok = read(4))) {
                const double length = manhattan(x, y, ox + a[0], oy + a[1])
                    + manhattan(ox + a[0], oy + a[1], ox + a[2], oy + a[3]);
                controlX = ox + a[0];
                controlY = oy + a[1];
                to(ox + a[2], oy + a[3], length);
            }
            break;
        case 'T':
            if ((ok = read(2))) {
                const double cx = smoothAfter ? 2 * x - controlX : x;
                const double cy = smoothAfter ? 2 * y - controlY : y;
                controlX = cx;
                controlY = cy;
                to(ox + a[0], oy + a[1], manhattan(x, y, cx, cy) + manhattan(cx, cy, ox + a[0], oy + a[1]));
            }
            break;
        case 'A':
            if ((ok = number(a[0]) && number(a[1]) && number(a[2]) && flag(a[3]) && flag(a[4]) && number(a[5])
                        && number(a[6]))) {
                // Radii too small for the two ends grow until they reach.
                const double chord = std::hypot(ox + a[5] - x, oy + a[6] - y);
                const double radius = std::max({ std::abs(a[0]), std::abs(a[1]), chord / 2 });
                to(ox + a[5], oy + a[6], 9 * radius); // an ellipse's perimeter, across plus down
                outline.segments += 3; // drawn as up to four curves
            }
            break;
        default:
            ok = false;
            break;
        }
        previous = command;
        if (!ok)
            command = QChar(); // Qt SVG stops reading the path here; so do we
    }
    closeSubpath();
    return outline;
}

// A length in pixels: a number with no unit, px, or an absolute unit. NaN
// for em and ex, whose size depends on a font size of their own.
double lengthValue(QStringView value, double percentOf)
{
    static const QRegularExpression length(
        u"^\\s*([-+]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][-+]?\\d+)?)\\s*([a-zA-Z%]*)\\s*$"_s);
    const QRegularExpressionMatch m = length.match(value.toString());
    if (!m.hasMatch())
        return 0; // not a length: Qt SVG draws nothing for it
    const double number = std::abs(m.captured(1).toDouble());
    const QString unit = m.captured(2).toLower();
    if (unit.isEmpty() || unit == u"px"_s)
        return number;
    if (unit == u"%"_s)
        return number * percentOf / 100;
    if (unit == u"pt"_s)
        return number * 1.25;
    if (unit == u"pc"_s)
        return number * 15;
    if (unit == u"mm"_s)
        return number * 3.8;
    if (unit == u"cm"_s)
        return number * 38;
    if (unit == u"in"_s)
        return number * 96;
    return std::numeric_limits<double>::quiet_NaN();
}

// The outline of a plain shape element, from its attributes.
Outline shapeOutline(QStringView name, const QXmlStreamAttributes &attributes, bool &badUnit)
{
    // Percentages are of the viewport, at most the largest frame.
    auto length = [&](QLatin1StringView attribute) {
        const double v = lengthValue(attributes.value(attribute), 512);
        if (std::isnan(v)) {
            badUnit = true;
            return 0.0;
        }
        return v;
    };
    Outline outline;
    if (name == u"path"_s) {
        outline = pathOutline(attributes.value(u"d"_s));
    } else if (name == u"rect"_s) {
        const bool rounded = length("rx"_L1) > 0 || length("ry"_L1) > 0;
        outline = { rounded ? 8.0 : 4.0, 2 * (length("width"_L1) + length("height"_L1)) };
    } else if (name == u"circle"_s) {
        outline = { 4, 8 * length("r"_L1) };
    } else if (name == u"ellipse"_s) {
        outline = { 4, 4 * (length("rx"_L1) + length("ry"_L1)) };
    } else if (name == u"line"_s) {
        outline = { 1,
            std::abs(length("x2"_L1) - length("x1"_L1)) + std::abs(length("y2"_L1) - length("y1"_L1)) };
    } else if (name == u"polyline"_s || name == u"polygon"_s) {
        static const QRegularExpression number(u"[-+]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][-+]?\\d+)?"_s);
        QList<double> values;
        for (const QRegularExpressionMatch &m : number.globalMatch(attributes.value(u"points"_s).toString()))
            values.append(m.captured().toDouble());
        for (qsizetype k = 2; k + 1 < values.size(); k += 2) {
            outline.segments += 1;
            outline.length += manhattan(values[k - 2], values[k - 1], values[k], values[k + 1]);
        }
        if (values.size() >= 4) { // closed for the fill either way; a polygon's stroke too
            outline.segments += name == u"polygon"_s ? 1 : 0;
            outline.length += manhattan(
                values[0], values[1], values[values.size() / 2 * 2 - 2], values[values.size() / 2 * 2 - 1]);
        }
    }
    return outline;
}

bool isShape(QStringView name)
{
    return name == u"path"_s || name == u"rect"_s || name == u"circle"_s || name == u"ellipse"_s
        || name == u"line"_s || name == u"polyline"_s || name == u"polygon"_s;
}

// The value of a presentation property, given as an attribute or inside
// style (which wins, as in Qt SVG); empty when not given.
QString property(const QXmlStreamAttributes &attributes, QLatin1StringView name)
{
    QString found = attributes.value(name).toString();
    for (const QString &declaration : attributes.value(u"style"_s).toString().split(u';')) {
        const qsizetype colon = declaration.indexOf(u':');
        if (colon >= 0 && declaration.first(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            found = declaration.sliced(colon + 1).trimmed();
    }
    return found;
}

} // namespace

SvgGuard::Work SvgGuard::Work::scaled(double scale) const
{
    // Kept finite, so that no zero is ever multiplied by infinity: a larger
    // scale only makes a larger count, refused either way.
    scale = std::isfinite(scale) ? std::min(std::abs(scale), 1e9) : 1e9;
    Work work = *this;
    work.outlines *= scale;
    work.strokes *= scale;
    work.text *= scale;
    work.perWidth *= scale;
    work.perFont *= scale;
    return work;
}

void SvgGuard::Work::resolve(double strokeWidth, double fontSize)
{
    if (strokeWidth >= 0) {
        strokes += perWidth * strokeWidth;
        perWidth = 0;
    }
    if (fontSize >= 0) {
        text += perFont * fontSize;
        perFont = 0;
    }
}

SvgGuard::Work &SvgGuard::Work::operator+=(const Work &other)
{
    shapes += other.shapes;
    outlines += other.outlines;
    strokes += other.strokes;
    text += other.text;
    perWidth += other.perWidth;
    perFont += other.perFont;
    return *this;
}

QString SvgGuard::Work::largestShare() const
{
    const double largest = std::max({ shapes, outlines, strokes, text });
    if (largest == strokes)
        return u"the width of its strokes (stroke-width times the segments stroked)"_s;
    if (largest == outlines)
        return u"the length of its outlines"_s;
    if (largest == text)
        return u"its text (characters times font size)"_s;
    return u"its number of shapes and segments, and the pixels they cover"_s;
}

SvgGuard::Scan SvgGuard::scanFragment(const QString &fragment)
{
    Scan scan;
    if (fragment.contains(u"<!doctype"_s, Qt::CaseInsensitive)
        || fragment.contains(u"<!entity"_s, Qt::CaseInsensitive)) {
        scan.problem = u"document type declarations and entities are not allowed"_s;
        return scan;
    }

    QXmlStreamReader xml(
        u"<g xmlns=\"%1\" xmlns:xlink=\"%2\">"_s.arg(SvgNamespace, XlinkNamespace) + fragment + u"</g>"_s);
    // The open elements, outermost first: their ids, to mark every ancestor
    // of a link, the element count at which each began, to size its subtree,
    // and what each gives its children (scale, stroke width, font size).
    struct Open {
        QString id;
        QString name;
        QString useTarget; // for a <use>
        int openedAt = 0;
        double scale = 1; // its own transform
        double strokeWidth = NoWidth; // its own, if given
        double fontSize = NoWidth;
        double totalScale = 1; // from here out to the fragment
        double contextWidth = NoWidth; // in force here, if given here or further out
        double contextFont = NoWidth;
        Work work; // of its subtree so far, in its own units
    };
    QList<Open> open;
    int textLength = 0;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement: {
            if (open.size() > MaxDepth) {
                scan.problem = u"elements are nested more than %1 deep"_s.arg(MaxDepth);
                return scan;
            }
            const QString name = xml.name().toString();
            if (xml.namespaceUri() != SvgNamespace || !isAllowedElement(name)) {
                scan.problem = u"the element <%1> is not allowed in a character drawing"_s.arg(
                    xml.qualifiedName().toString());
                return scan;
            }
            const QXmlStreamAttributes attributes = xml.attributes();
            Open element;
            element.name = name;
            element.id = attributes.value(u"id"_s).toString();
            bool links = false;
            for (const QXmlStreamAttribute &attribute : attributes) {
                const QString attributeName = attribute.name().toString();
                const QString value = attribute.value().toString();
                if (attributeName == u"href"_s) {
                    static const QRegularExpression localLink(u"^#[A-Za-z_][A-Za-z0-9_.:-]*$"_s);
                    if (!localLink.match(value).hasMatch()) {
                        scan.problem = u"links may only point inside the file, as in xlink:href=\"#name\""_s;
                        return scan;
                    }
                    scan.linkTargets.insert(value.mid(1));
                    if (name == u"use"_s)
                        element.useTarget = value.mid(1);
                    links = true;
                    continue;
                }
                if (attributeName.contains(u"dasharray"_s) || value.contains(u"dasharray"_s)) {
                    scan.problem = u"dashed lines (stroke-dasharray) are not supported"_s;
                    return scan;
                }
                if (attributeName == u"id"_s || attributeName == u"class"_s)
                    continue;
                // CSS reads "u\72l(" as "url(": an escape could carry a link
                // past the check below. Drawings have no use for escapes.
                if (value.contains(u'\\')) {
                    scan.problem = u"a backslash (a CSS escape) is not allowed in an attribute value"_s;
                    return scan;
                }
                if (QString p = problemInUrls(value); !p.isEmpty()) {
                    scan.problem = p;
                    return scan;
                }
                if (QString p = problemInNumbers(value); !p.isEmpty()) {
                    scan.problem = p;
                    return scan;
                }
                if (attributeName == u"transform"_s) {
                    if (QString p = problemInTransform(value); !p.isEmpty()) {
                        scan.problem = p;
                        return scan;
                    }
                    element.scale = transformScale(value);
                } else if (attributeName == u"stroke-width"_s) {
                    const double width = strokeWidth(value);
                    if (width == NoWidth) {
                        scan.problem = u"stroke-width takes a number of pixels"_s;
                        return scan;
                    }
                    scan.widestStroke = std::max(scan.widestStroke, width);
                } else if (attributeName == u"style"_s) {
                    if (QString p = problemInStyleWidth(value, scan.widestStroke); !p.isEmpty()) {
                        scan.problem = p;
                        return scan;
                    }
                }
            }
            // A stroke that does not scale keeps its full width under any
            // transform, where the count scales it down with the shape.
            if (!property(attributes, "vector-effect"_L1).isEmpty()) {
                scan.problem = u"vector-effect (non-scaling strokes) is not supported"_s;
                return scan;
            }
            if (const QString width = property(attributes, "stroke-width"_L1); !width.isEmpty())
                element.strokeWidth = strokeWidth(width);
            if (const QString size = property(attributes, "font-size"_L1); !size.isEmpty()) {
                element.fontSize = strokeWidth(size); // pixels, as for strokes
                if (element.fontSize == NoWidth) {
                    scan.problem = u"font-size takes a number of pixels"_s;
                    return scan;
                }
            }
            element.work.shapes += ElementUnits;
            if (isShape(name)) {
                bool badUnit = false;
                const Outline outline = shapeOutline(name, attributes, badUnit);
                if (badUnit) {
                    scan.problem = u"lengths in em or ex are not supported; give pixels"_s;
                    return scan;
                }
                element.work.shapes += outline.segments * SegmentUnits;
                element.work.outlines += outline.length * (FillUnitsPerPixel + StrokeUnitsPerPixel);
                element.work.perWidth += outline.segments * WidthUnits;
            }

            const bool wrapper = open.isEmpty();
            const Open *parent = wrapper ? nullptr : &open.last();
            element.openedAt = scan.elements;
            element.totalScale = (parent ? parent->totalScale : 1) * element.scale;
            element.contextWidth = element.strokeWidth != NoWidth ? element.strokeWidth
                                                                  : (parent ? parent->contextWidth : NoWidth);
            element.contextFont
                = element.fontSize != NoWidth ? element.fontSize : (parent ? parent->contextFont : NoWidth);
            if (!wrapper)
                ++scan.elements;
            if (links) {
                for (const Open &outer : std::as_const(open)) {
                    if (!outer.id.isEmpty())
                        scan.idsWithLinks.insert(outer.id);
                }
                if (!element.id.isEmpty())
                    scan.idsWithLinks.insert(element.id);
            }
            open.append(element);
            break;
        }
        case QXmlStreamReader::EndElement:
            if (!open.isEmpty()) {
                Open element = open.takeLast();
                element.work.resolve(element.strokeWidth, element.fontSize);
                element.work = element.work.scaled(element.scale);
                if (!element.id.isEmpty()) {
                    scan.elementsUnder.insert(element.id, scan.elements - element.openedAt);
                    scan.workUnder.insert(element.id, element.work);
                }
                if (!element.useTarget.isEmpty()) {
                    scan.uses.append({ element.useTarget, element.totalScale,
                        element.contextWidth != NoWidth ? element.contextWidth : DefaultStrokeWidth,
                        element.contextFont != NoWidth ? element.contextFont : DefaultFontSize });
                }
                if (open.isEmpty()) {
                    element.work.resolve(DefaultStrokeWidth, DefaultFontSize);
                    scan.work = element.work;
                } else {
                    open.last().work += element.work;
                }
            }
            break;
        case QXmlStreamReader::Characters:
            textLength += int(xml.text().trimmed().size());
            if (textLength > MaxTextLength) {
                scan.problem = u"there is more than %1 characters of text"_s.arg(MaxTextLength);
                return scan;
            }
            // Each character drawn is a glyph's outline, as large as its font.
            if (!open.isEmpty() && (open.last().name == u"text"_s || open.last().name == u"tspan"_s)) {
                const qsizetype glyphs = xml.text().trimmed().size();
                Work &work = open.last().work;
                work.shapes += double(glyphs) * GlyphSegments * SegmentUnits;
                work.perFont += double(glyphs) * GlyphOutline * (FillUnitsPerPixel + StrokeUnitsPerPixel);
                work.perWidth += double(glyphs) * GlyphSegments * WidthUnits;
            }
            break;
        case QXmlStreamReader::DTD:
        case QXmlStreamReader::EntityReference:
            scan.problem = u"document type declarations and entities are not allowed"_s;
            return scan;
        case QXmlStreamReader::ProcessingInstruction:
            scan.problem = u"processing instructions are not allowed"_s;
            return scan;
        default:
            break;
        }
    }
    if (xml.hasError()) {
        // The wrapper adds no lines, so the reader's line is the block's line.
        scan.problem = u"the SVG markup is not well-formed (%1, line %2 of the block)"_s.arg(
            xml.errorString(), QString::number(xml.lineNumber()));
    }
    return scan;
}

QString SvgGuard::problemInTransform(const QString &transform)
{
    static const QRegularExpression shape(
        u"^\\s*(?:(?:matrix|translate|scale|rotate|skewX|skewY)\\s*\\([-+0-9.eE,\\s]*\\)\\s*,?\\s*)+$"_s);
    if (!shape.match(transform).hasMatch())
        return u"\"%1\" is not a transform: use translate(x,y), rotate(a,x,y), scale(s), skewX(a), "
               "skewY(a) or matrix(...)"_s.arg(transform);
    return problemInNumbers(transform);
}

double SvgGuard::transformScale(const QString &transform)
{
    static const QRegularExpression function(
        u"(matrix|translate|scale|rotate|skewX|skewY)\\s*\\(([^)]*)\\)"_s);
    static const QRegularExpression number(u"[-+]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][-+]?\\d+)?"_s);
    constexpr double DegreesToRadians = 3.14159265358979323846 / 180;
    double scale = 1;
    for (const QRegularExpressionMatch &f : function.globalMatch(transform)) {
        QList<double> a;
        for (const QRegularExpressionMatch &m : number.globalMatch(f.captured(2)))
            a.append(m.captured().toDouble());
        const QString name = f.captured(1);
        double stretch = 1; // the largest factor by which the function stretches a length
        if (name == u"scale"_s && !a.isEmpty()) {
            stretch = std::max(std::abs(a[0]), std::abs(a.value(1, a[0])));
        } else if ((name == u"skewX"_s || name == u"skewY"_s) && !a.isEmpty()) {
            const double t = std::abs(std::tan(a[0] * DegreesToRadians));
            stretch = (t + std::sqrt(t * t + 4)) / 2;
        } else if (name == u"matrix"_s && a.size() >= 4) {
            // The largest singular value of the 2 x 2 part.
            const double sum = a[0] * a[0] + a[1] * a[1] + a[2] * a[2] + a[3] * a[3];
            const double det = a[0] * a[3] - a[1] * a[2];
            stretch = std::sqrt((sum + std::sqrt(std::max(0.0, sum * sum - 4 * det * det))) / 2);
        }
        scale *= stretch;
    }
    return std::isfinite(scale) ? scale : std::numeric_limits<double>::max();
}

QString SvgGuard::problemInLinks(const QSet<QString> &linkTargets, const QSet<QString> &idsWithLinks)
{
    for (const QString &target : linkTargets) {
        if (idsWithLinks.contains(target))
            return u"the element \"#%1\" is linked to but links again itself; links may not be chained"_s.arg(
                target);
    }
    return {};
}

} // namespace velmora::character
