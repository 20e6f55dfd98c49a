#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace velmora::agent {

// The text of one settings file, kept line by line so that a change rewrites
// only the line it must and keeps comments and lines it does not understand.
//
// The file is UTF-8 with one item a line:
//
//   ; a comment ('#' too)
//   [Dic/ChID]        a section: application name, '/', section name
//   Name=Robin        an entry: key '=' value
//   LIndex=0
//
// Blanks around names and values are ignored. Inside names and values a
// backslash escapes: \\ \n \r \t, \uXXXX for one UTF-16 code unit, and a
// backslash before any other character stands for that character ("\=",
// "\/", "\ " for a space at either end). Written names escape \ = ; # [ ] /;
// written values escape only backslashes, control characters, unpaired
// surrogates and spaces at either end, so a value reads as typed.
//
// Application, section and key names compare without regard to letter case
// (Unicode simple case folding); when several entries match, the first one in
// the file counts. Entries outside a well-formed section and lines that are
// neither blank, comment, section nor entry are ignored but kept.
class SettingsDocument {
public:
    explicit SettingsDocument(const QByteArray &content = {});

    std::optional<QString> value(
        const QString &application, const QString &section, const QString &key) const;

    // Replaces the value of the first matching entry, keeping the spelling of
    // its key, and drops any later duplicates. Without a matching entry the
    // entry goes to the end of the first matching section, or a new section
    // is added at the end of the file.
    void setValue(
        const QString &application, const QString &section, const QString &key, const QString &value);

    QByteArray toByteArray() const;

private:
    struct Line {
        enum Kind { Other, Header, BadHeader, Entry };

        QByteArray raw;
        Kind kind = Other;
        QString application; // a header's, or the section an entry belongs to
        QString section;
        QString key;
        QString value;
    };

    static Line parse(const QByteArray &raw, bool firstLine, const Line *header);
    static Line header(const QString &application, const QString &section);
    static Line entry(const Line &header, const QString &key, const QString &value);
    static bool inSection(const Line &line, const QString &application, const QString &section);

    QList<Line> m_lines;
};

} // namespace velmora::agent
