#pragma once

#include <QDialog>

class QLabel;

namespace velmora {

// The About window: names the product, credits its makers, lists contact
// details; Thanks closes it. Holds no data and changes nothing.
class about : public QDialog {
    Q_OBJECT

public:
    // `owner` is the window it is centred over; the About window keeps a
    // taskbar entry of its own, so it is not parented to it.
    explicit about(QWidget *owner = nullptr);

private:
    void Command1_Click();

    QWidget *m_owner;

protected:
    void showEvent(QShowEvent *event) override;
};

} // namespace velmora
