#include "windows/about.h"

#include "windows/CentredPlacement.h"
#include "windows/ClassicFonts.h"
#include "windows/ClassicLabel.h"
#include "windows/ClassicPalette.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace velmora {

about::about(QWidget *owner)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_owner(owner)
{
    setObjectName(QStringLiteral("about"));
    setWindowTitle(QStringLiteral("About Dictionary"));
    setAccessibleName(windowTitle());
    setFixedSize(441, 180);
    setWindowModality(Qt::ApplicationModal);
    setFont(ClassicFonts::msSansSerif());
    // Its fixed text colours were chosen for the light classic background,
    // which a desktop theme has no colour for: the window keeps it, and every
    // control in it takes text and background from the same palette.
    setPalette(ClassicPalette::light());

    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setGeometry(2, -3, 437, 180);

    const QColor grey(0x40, 0x40, 0x40);
    const QColor blue(0x00, 0x00, 0xC0);
    const QColor black = palette().color(QPalette::ButtonText);
    const QFont title = ClassicFonts::timesNewRoman(21, true);
    const QFont company = ClassicFonts::timesNewRoman(16, true);
    const QString companyName = QStringLiteral("Velmora Software Cooperative");

    // Created back to front: later labels are drawn over earlier ones.
    addClassicLabel(frame, "Label6", companyName, { 10, 73, 0, 0 }, company, black);
    addClassicLabel(frame, "Label1", QStringLiteral("Velmora"), { 7, 10, 0, 0 }, title, black);
    addClassicLabel(frame, "Label10", QStringLiteral("E-mail : team@velmora.example.org"), { 10, 159, 0, 0 },
        ClassicFonts::tahoma(), blue);
    addClassicLabel(frame, "Label9", QStringLiteral("Mobile : 00000 00000"), { 11, 127, 0, 0 },
        ClassicFonts::tahoma(), grey);
    addClassicLabel(frame, "Label8", QStringLiteral("Phone : 000-0000000, 000-0000001"), { 11, 111, 0, 0 },
        ClassicFonts::tahoma(), grey);
    addClassicLabel(frame, "Label7", companyName, { 10, 72, 0, 0 }, company, QColor(0xC0, 0x40, 0x00));
    addClassicLabel(frame, "Label5", QStringLiteral("1 Example Lane, Sampletown 000 000"), { 10, 95, 0, 0 },
        ClassicFonts::tahoma(), grey);
    addClassicLabel(frame, "Label3", QStringLiteral("Developed by the Velmora developers"), { 8, 34, 0, 0 },
        ClassicFonts::tahoma(), grey);
    addClassicLabel(
        frame, "Label2", QStringLiteral("Velmora"), { 6, 9, 0, 0 }, title, QColor(0xFF, 0x80, 0x00));
    addClassicLabel(frame, "Label4", QStringLiteral("Web : www.velmora.example.org"), { 10, 143, 0, 0 },
        ClassicFonts::tahoma(), blue);
    addClassicLabel(frame, "Label11", QStringLiteral("Please do comment/suggest and make this perfact"),
        { 77, 55, 0, 0 }, ClassicFonts::tahoma(true), grey);

    auto *thanks = new QPushButton(QStringLiteral("Thanks"), frame);
    thanks->setObjectName(QStringLiteral("Command1"));
    thanks->setAccessibleName(thanks->text());
    thanks->setGeometry(349, 149, 80, 25);
    thanks->setDefault(true);
    thanks->setFocus();
    connect(thanks, &QPushButton::clicked, this, &about::Command1_Click);
}

void about::Command1_Click()
{
    accept();
}

void about::showEvent(QShowEvent *event)
{
    if (m_owner)
        placeCentred(*this, m_owner->frameGeometry());
    QDialog::showEvent(event);
}

} // namespace velmora
