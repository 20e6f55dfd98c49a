#pragma once

#include <QString>

namespace velmora {

// Where the program's data lives. A build keeps the dictionary next to the
// program; an install keeps it in <prefix>/share/velmora beside <prefix>/bin.
// Both are found from the program's own folder, so an installed tree can be
// moved (DESTDIR staging, ~/.local, /usr) without rebuilding.
struct DataFolders {
    QString data; // holds Complete.dic
    QString windows; // stands in for the Windows directory: its MSAgent/Chars holds the characters
};

// The one rule: `data` is programDir when Complete.dic is there, otherwise
// programDir/../share/velmora; `windows` is windowsOverride when it is not
// empty, otherwise `data`.
DataFolders locateDataFolders(const QString &programDir, const QString &windowsOverride);

// The rule applied to this process: the program's folder and VELMORA_WINDOWS_DIR.
// Needs a QCoreApplication.
DataFolders dataFolders();

} // namespace velmora
