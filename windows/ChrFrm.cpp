#include "windows/ChrFrm.h"

#include "base/Error.h"
#include "base/ErrorNumbers.h"
#include "windows/CentredPlacement.h"
#include "windows/ClassicFonts.h"
#include "windows/FileListBox.h"

#include <QLabel>
#include <QScreen>

namespace velmora {

ChrFrm::ChrFrm(agent::AgentContext context, std::function<QString()> windowsDirectory, QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , File1(new FileListBox(this))
    , m_choice(context, *File1, std::move(windowsDirectory))
{
    setObjectName(QStringLiteral("ChrFrm"));
    setWindowTitle(QStringLiteral("MS Agent Charactors."));
    setAccessibleName(windowTitle());
    setFixedSize(262, 110);
    setModal(true);
    setFont(ClassicFonts::msSansSerif());

    auto *caption = new QLabel(QStringLiteral("Animation Charactors"), this);
    caption->setObjectName(QStringLiteral("Label1"));
    caption->move(5, 31);
    caption->adjustSize();

    auto *prompt = new QLabel(QStringLiteral("Select Animation Charactor."), this);
    prompt->setObjectName(QStringLiteral("Label2"));
    prompt->setGeometry(5, 7, 150, 20);
    prompt->setAutoFillBackground(true);
    prompt->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    File1->setObjectName(QStringLiteral("File1"));
    File1->setAccessibleName(QStringLiteral("Animation Charactors"));
    File1->setGeometry(2, 47, 257, 58);
    File1->raise();
    File1->setFocus();
}

void ChrFrm::showModal()
{
    switch (m_choice.Form_Load()) {
    case agent::CharacterChoice::Opening::Show:
        exec();
        m_choice.reportSaveFailure();
        return;
    case agent::CharacterChoice::Opening::UnloadSelf:
        done(Rejected);
        throw Error(ErrorNumber::UnloadedWhileShown, QStringLiteral("Object was unloaded"));
    case agent::CharacterChoice::Opening::ProgramEnded:
        return;
    }
}

void ChrFrm::done(int result)
{
    // The close box, Escape and the window's own unloading all end here; the
    // closing handler runs once.
    if (!m_unloaded) {
        m_unloaded = true;
        m_choice.Form_Unload();
    }
    QDialog::done(result);
}

void ChrFrm::showEvent(QShowEvent *event)
{
    // Over the main window, or in the middle of the screen while the main
    // window is not shown yet (first run).
    QWidget *owner = parentWidget();
    const QRect area = owner && owner->isVisible() ? owner->frameGeometry() : screen()->availableGeometry();
    placeCentred(*this, area);
    QDialog::showEvent(event);
}

} // namespace velmora
