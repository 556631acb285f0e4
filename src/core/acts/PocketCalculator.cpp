#include "PocketCalculator.h"

#include <cmath>

PocketCalculator::PocketCalculator(double start)
    : m_accumulator(start)
{
}

double PocketCalculator::entryValue() const
{
    return m_entry.isEmpty() || m_entry == QLatin1String(".") ? 0.0 : m_entry.toDouble();
}

void PocketCalculator::applyPending()
{
    if (m_entry.isEmpty() && !m_pending.isNull())
        return;                 // two operations in a row: the last one counts
    const double operand = entryValue();
    switch (m_pending.unicode()) {
    case '+': m_accumulator += operand; break;
    case '-': m_accumulator -= operand; break;
    case '*': m_accumulator *= operand; break;
    case '/':
        if (operand == 0.0)
            m_error = true;
        else
            m_accumulator /= operand;
        break;
    default:
        if (!m_entry.isEmpty())
            m_accumulator = operand;
        break;
    }
    if (!std::isfinite(m_accumulator))
        m_error = true;
    if (m_error)
        m_accumulator = 0;
    m_entry.clear();
}

void PocketCalculator::press(QChar key)
{
    const char16_t k = key.unicode();
    if (k == u'C' || k == u'c') {
        *this = PocketCalculator();
        return;
    }
    if (m_error)
        return;                 // only C leaves an error
    if (k >= u'0' && k <= u'9') {
        if (m_entry.size() < 15)
            m_entry.append(key);
    } else if (k == u',' || k == u'.') {
        if (!m_entry.contains(QLatin1Char('.')))
            m_entry.append(QLatin1Char('.'));
    } else if (k == u'<') {
        m_entry.chop(1);
    } else if (k == u'+' || k == u'-' || k == u'*' || k == u'/') {
        applyPending();
        m_pending = key;
    } else if (k == u'=') {
        applyPending();
        m_pending = QChar();
    }
}

QString PocketCalculator::display(const QLocale &locale) const
{
    if (m_error)
        return QStringLiteral("Erreur");
    if (!m_entry.isEmpty()) {
        QString shown = m_entry;
        return shown.replace(QLatin1Char('.'), locale.decimalPoint());
    }
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(m_accumulator, 'g', 15);
}

double PocketCalculator::value() const
{
    if (m_error)
        return 0;
    return m_entry.isEmpty() ? m_accumulator : entryValue();
}
