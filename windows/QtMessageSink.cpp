#include "windows/QtMessageSink.h"

#include <QApplication>
#include <QMessageBox>

namespace velmora {

void QtMessageSink::show(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setAccessibleName(title);
    box.exec();
}

} // namespace velmora
