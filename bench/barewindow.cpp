// A bare Qt window of the main window's size and place: what start-up time
// is measured against.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Velmora"));
    window.setGeometry(118, 63, 511, 326);
    window.show();
    return app.exec();
}
