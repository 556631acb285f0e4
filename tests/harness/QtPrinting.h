#pragma once

// Readable Qt values in GoogleTest's failure messages.
#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <ostream>

inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QByteArray &bytes, std::ostream *os)
{
    *os << '"' << bytes.toStdString() << '"';
}

inline void PrintTo(const QPoint &p, std::ostream *os)
{
    *os << '(' << p.x() << ", " << p.y() << ')';
}

inline void PrintTo(const QSize &s, std::ostream *os)
{
    *os << s.width() << " x " << s.height();
}

inline void PrintTo(const QRect &r, std::ostream *os)
{
    *os << '(' << r.x() << ", " << r.y() << ") " << r.width() << " x " << r.height();
}
