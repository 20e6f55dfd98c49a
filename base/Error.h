#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <exception>

namespace velmora {

// A failure as the program's handlers see it: a number (a 32-bit platform
// result code or a small run-time error number, see ErrorNumbers.h) and a
// description in plain words. Operations throw it; handlers catch it through
// ErrorBlock, never by hand.
class Error : public std::exception {
public:
    Error(qint32 number, QString description);

    qint32 number() const { return m_number; }
    const QString &description() const { return m_description; }
    const char *what() const noexcept override { return m_what.constData(); }

    // The text of an unexpected-error message: the number in signed decimal,
    // `spaces` spaces, then the description.
    QString message(int spaces = 1) const;

private:
    qint32 m_number;
    QString m_description;
    QByteArray m_what;
};

} // namespace velmora
