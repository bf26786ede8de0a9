#pragma once
// Text between the program's UTF-8 strings and Qt's.
#include <QString>
#include <string>

inline QString QStr(const std::string& S)
{
    return QString::fromUtf8(S.data(), qsizetype(S.size()));
}
inline std::string StdStr(const QString& S)
{
    const QByteArray Bytes = S.toUtf8();
    return std::string(Bytes.constData(), size_t(Bytes.size()));
}
