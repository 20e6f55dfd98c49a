#include "base/DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace velmora {

DataFolders locateDataFolders(const QString &programDir, const QString &windowsOverride)
{
    const QDir program(programDir);
    DataFolders folders;
    folders.data = QFileInfo(program.filePath(u"Complete.dic"_s)).exists()
        ? QDir::cleanPath(programDir)
        : QDir::cleanPath(program.filePath(u"../share/velmora"_s));
    folders.windows = windowsOverride.isEmpty() ? folders.data : windowsOverride;
    return folders;
}

DataFolders dataFolders()
{
    return locateDataFolders(
        QCoreApplication::applicationDirPath(), qEnvironmentVariable("VELMORA_WINDOWS_DIR"));
}

} // namespace velmora
