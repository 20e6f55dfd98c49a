// velmora-agent-demo: shows a character the way the program does, or draws
// every frame of a character file into one picture for whoever draws one.
//
//   velmora-agent-demo <bare file name> [word]   from the character folder: shows
//       it at 610,50 beside a stand-in main window, greets, says the word, waves, hides
//   velmora-agent-demo --sheet <file> <out.png>  every frame of every animation
#include "base/Error.h"
#include "character/AgentCharacter.h"
#include "character/AgentControl.h"
#include "character/CharacterFileParser.h"
#include "character/FrameCache.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QTimer>

#include <cstdio>

using namespace Qt::StringLiterals;
using namespace velmora::character;

namespace {

int drawSheet(const QString &path, const QString &out)
{
    const CharacterDefinition definition = CharacterFileParser::parseFile(path);
    FrameCache frames(definition, QFileInfo(path).fileName());
    const QSize cell = frames.size() + QSize(8, 22);
    qsizetype columns = 0;
    for (const auto &animation : definition.animations)
        columns = std::max(columns, animation.frames.size());
    QImage sheet(int(columns) * cell.width() + 120, int(definition.animations.size()) * cell.height(),
        QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(236, 240, 244));
    QPainter painter(&sheet);
    for (qsizetype row = 0; row < definition.animations.size(); ++row) {
        const auto &animation = definition.animations.at(row);
        const int y = int(row) * cell.height();
        painter.drawText(QRect(4, y, 112, cell.height()), Qt::AlignVCenter, animation.name);
        for (qsizetype i = 0; i < animation.frames.size(); ++i) {
            const int x = 120 + int(i) * cell.width();
            painter.drawImage(x, y + 2, frames.drawNow(animation.frames.at(i).drawing));
            painter.drawText(QRect(x, y + cell.height() - 20, cell.width(), 18), Qt::AlignCenter,
                u"%1 ms"_s.arg(animation.frames.at(i).durationMs));
        }
    }
    painter.end();
    return sheet.save(out) ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    try {
        if (args.size() == 3 && args.first() == u"--sheet"_s)
            return drawSheet(args.at(1), args.at(2));
        if (args.isEmpty() || args.first().startsWith(u'-')) {
            std::fputs("usage: velmora-agent-demo <bare file name> [word]\n"
                       "       velmora-agent-demo --sheet <character file> <out.png>\n",
                stderr);
            return 2;
        }

        QLabel stand(u"The main window stands here."_s);
        stand.setAlignment(Qt::AlignCenter);
        stand.setWindowTitle(u"Dictionary"_s);
        stand.setGeometry(20, 40, 560, 420);
        stand.show();

        AgentControl control;
        control.Load(u"Pat"_s, args.first());
        const std::shared_ptr<AgentCharacter> pat = control.character(u"Pat"_s);
        pat->setLeft(610);
        pat->setTop(50);
        pat->Show();
        pat->Play(u"Greet"_s);
        const QString word = args.value(1, u"abandon"_s);
        QTimer::singleShot(4000, pat.get(), [&] {
            pat->GestureAt(1, 2);
            pat->Speak(word);
        });
        QTimer::singleShot(9000, pat.get(), [&] {
            pat->Play(u"Wave"_s);
            pat->Hide();
        });
        QTimer::singleShot(13000, &app, &QApplication::quit);
        return app.exec();
    } catch (const velmora::Error &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
}
