#include "character/CharacterFolder.h"

#include "base/Error.h"
#include "base/ErrorNumbers.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace velmora::agent {

CharacterFolder::CharacterFolder(QString path)
    : m_path(std::move(path))
{
}

QString CharacterFolder::resolve(const QString &bareName) const
{
    auto refuse = [](const QString &why) { return Error(ErrorNumber::FileNotFound, why); };
    if (bareName.isEmpty())
        throw refuse(u"No character file name was given."_s);
    if (bareName.contains(u'/') || bareName.contains(u'\\') || bareName.contains(u".."_s)
        || bareName.contains(QChar::Null))
        throw refuse(u"\"%1\" is not a bare file name; character files are only loaded from the "
                     "character folder."_s.arg(bareName));

    const QFileInfo folder(m_path);
    if (!folder.isDir())
        throw refuse(u"The character folder \"%1\" does not exist."_s.arg(QDir::toNativeSeparators(m_path)));
    const QFileInfo file(QDir(m_path).filePath(bareName));
    if (!file.exists()) // a dangling link does not exist either
        throw refuse(u"The character file \"%1\" is not in the character folder \"%2\"."_s.arg(
            bareName, QDir::toNativeSeparators(m_path)));

    const QString canonicalFolder = folder.canonicalFilePath();
    const QString canonicalFile = file.canonicalFilePath();
    if (canonicalFolder.isEmpty() || !canonicalFile.startsWith(canonicalFolder + u'/'))
        throw refuse(u"The character file \"%1\" leads outside the character folder and is not loaded."_s.arg(
            bareName));
    return canonicalFile;
}

} // namespace velmora::agent
