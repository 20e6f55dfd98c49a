#include "base/Error.h"

namespace velmora {

Error::Error(qint32 number, QString description)
    : m_number(number)
    , m_description(std::move(description))
    , m_what(message().toUtf8())
{
}

QString Error::message(int spaces) const
{
    return QString::number(m_number) + QString(spaces, QLatin1Char(' ')) + m_description;
}

} // namespace velmora
