#pragma once

#include "agent/CharacterChoice.h"

#include <QDialog>

namespace velmora {

class FileListBox;

// The character chooser: a file list of the character folder and two labels,
// no buttons. Closing the window, however it is closed, takes the choice.
class ChrFrm : public QDialog {
    Q_OBJECT

public:
    ChrFrm(agent::AgentContext context, std::function<QString()> windowsDirectory, QWidget *owner);

    // Opens the chooser and shows it modally. Throws Error 364 when it
    // unloaded itself while opening (no character folder).
    void showModal();

    FileListBox *fileList() const { return File1; }

protected:
    void done(int result) override;
    void showEvent(QShowEvent *event) override;

private:
    FileListBox *File1;
    agent::CharacterChoice m_choice;
    bool m_unloaded = false;
};

} // namespace velmora
