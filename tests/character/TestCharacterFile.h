#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

// A small valid character file with every animation the control needs, each
// frame lasting frameMs. Speaking has three different mouths; every other
// animation two frames.
inline QByteArray testCharacterFile(int frameMs = 20, const QString &extra = QString())
{
    QString text = QString::fromUtf8(R"VCHAR(VelmoraCharacter 1
# a test character
Name: Testy
Size: 100 120
Voice: en
Pitch: 40
Rate: 200

Defs
  <linearGradient id="shade"><stop offset="0" stop-color="#336699"/><stop offset="1" stop-color="#224466"/></linearGradient>
End

Part body
  <rect x="20" y="10" width="60" height="100" fill="url(#shade)" stroke="#000000"/>
End
Part arm
  <rect x="0" y="40" width="20" height="8" fill="#cc0000"/>
End
Part mouth-closed
  <rect x="40" y="80" width="20" height="2" fill="#000000"/>
End
Part mouth-half
  <rect x="40" y="78" width="20" height="6" fill="#000000"/>
End
Part mouth-open
  <rect x="40" y="74" width="20" height="14" fill="#000000"/>
End

Pose rest: body mouth-closed
)VCHAR");
    const QStringList twoFrames = { QStringLiteral("Rest"), QStringLiteral("Idle"), QStringLiteral("Showing"),
        QStringLiteral("Hiding"), QStringLiteral("GestureLeft"), QStringLiteral("GestureRight"),
        QStringLiteral("GestureUp"), QStringLiteral("GestureDown"), QStringLiteral("Greet"),
        QStringLiteral("Wave"), QStringLiteral("DoMagic2") };
    for (const QString &name : twoFrames) {
        text += QStringLiteral("Animation %1\n  %2 rest\n  %2 rest arm@translate(2,0)\nEnd\n")
                    .arg(name)
                    .arg(frameMs);
    }
    text += QStringLiteral(
        "Animation Speaking\n  %1 body mouth-closed\n  %1 body mouth-half\n  %1 body mouth-open\nEnd\n")
                .arg(frameMs);
    return (text + extra).toUtf8();
}

inline bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}
