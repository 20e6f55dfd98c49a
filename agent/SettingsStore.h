#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <utility>

class QSaveFile;

namespace velmora::agent {

// The per-user settings: text values by application, section and key, kept
// in one human-readable INI-style file (format in SettingsDocument.h):
//
//   [Dic/ChID]
//   Name=Robin
//   LIndex=0
//
// Names compare without regard to letter case; the spelling of the first
// write is kept. Every read looks at the file afresh, since another Velmora
// window may have written it. Every write is durable when it returns: the
// program may end at once afterwards, with nothing left to flush. Windows
// writing at the same time take turns, and none loses another's values.
class SettingsStore {
public:
    explicit SettingsStore(QString filePath = defaultFilePath());

    // settings.ini in the "velmora" folder of the user's configuration
    // directory ($XDG_CONFIG_HOME, or ~/.config).
    static QString defaultFilePath();

    const QString &filePath() const { return m_filePath; }

    // The stored value, or defaultValue when there is none. A missing,
    // unreadable or garbled file holds no values; reading never fails.
    QString read(const QString &application, const QString &section, const QString &key,
        const QString &defaultValue) const;

    // Creates or replaces the value, keeping every other line of the file.
    // Creates the folder when missing. Throws Error PathFileAccess, whose
    // description names the file and the system's reason, when the value
    // could not be stored durably; the file is then left as it was, unless
    // only the final flush of its folder failed, and no temporary file stays.
    void write(const QString &application, const QString &section, const QString &key, const QString &value);

    // Several values of one section in one replacement of the file: either
    // all of them are stored or none is.
    using KeyValues = QList<std::pair<QString, QString>>;
    void write(const QString &application, const QString &section, const KeyValues &values);

    // Seam for tests: makes the file object each write goes through, so a
    // test can hand in one that fails like a full disk or a read-only folder.
    using SaveFileFactory = std::function<std::unique_ptr<QSaveFile>(const QString &path)>;
    void setSaveFileFactory(SaveFileFactory factory) { m_saveFile = std::move(factory); }

private:
    QString m_filePath;
    SaveFileFactory m_saveFile;
};

} // namespace velmora::agent
