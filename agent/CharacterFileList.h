#pragma once

#include <QString>

namespace velmora::agent {

// The chooser's file list as the choice logic uses it: the bare names of the
// ordinary files of one folder, at positions counted from 0.
class CharacterFileList {
public:
    virtual ~CharacterFileList() = default;

    // Lists that folder's files at once. Throws Error 76 when the folder
    // does not exist.
    virtual void setFolder(const QString &folder) = 0;
    // -1 while nothing is selected.
    virtual int selectedIndex() const = 0;
    // Selects that entry, or nothing for -1. Throws Error 380 for a
    // position the list does not have.
    virtual void setSelectedIndex(int position) = 0;
    // The bare file name at a position; the empty text for a position the
    // list does not have.
    virtual QString itemText(int position) const = 0;
};

} // namespace velmora::agent
