#pragma once

#include <QString>

namespace velmora::agent {

// The one folder character files are loaded from. A caller names a file by
// its bare name only; nothing outside the folder is ever opened.
class CharacterFolder {
public:
    explicit CharacterFolder(QString path);

    const QString &path() const { return m_path; }

    // The canonical path of the bare name inside the folder. Throws
    // Error(FileNotFound) for a missing folder or file, a name with a path
    // separator or "..", and a name that resolves outside the folder
    // (through a symbolic link, say).
    QString resolve(const QString &bareName) const;

private:
    QString m_path;
};

} // namespace velmora::agent
