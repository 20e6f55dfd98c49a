#pragma once

#include "agent/CharacterFileList.h"

#include <QListWidget>

namespace velmora {

// A list box showing the file names of one folder: every ordinary file
// whatever its name, hidden files and folders left out, bare names in
// alphabetical order ignoring letter case.
class FileListBox : public QListWidget, public agent::CharacterFileList {
    Q_OBJECT

public:
    explicit FileListBox(QWidget *parent = nullptr);

    void setFolder(const QString &folder) override;
    int selectedIndex() const override;
    void setSelectedIndex(int position) override;
    QString itemText(int position) const override;
};

} // namespace velmora
