#pragma once

#include <QString>

namespace velmora::character {

// The one folder character files are loaded from. A caller names a file by
// its bare name only; nothing outside the folder is ever opened.
class CharacterFolder {
public:
    explicit CharacterFolder(QString path);

    // The character folder under the directory that stands in for the
    // Windows directory: <windowsDirectory>/MSAgent/Chars. The chooser lists
    // it and the control loads from it; nothing else names it.
    static QString under(const QString &windowsDirectory);

    const QString &path() const { return m_path; }

    // The canonical path of the bare name inside the folder. Throws
    // Error(CharacterNotFound) for a missing folder or file, a name with a path
    // separator or "..", and a name that resolves outside the folder
    // (through a symbolic link, say).
    QString resolve(const QString &bareName) const;

private:
    QString m_path;
};

} // namespace velmora::character
