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

QChar PocketCalculator::keyFor(int key, const QString &text)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Equal:
        return QLatin1Char('=');
    case Qt::Key_Backspace:
        return QLatin1Char('<');
    case Qt::Key_Delete:
    case Qt::Key_C:
        return QLatin1Char('C');
    case Qt::Key_Plus:
        return QLatin1Char('+');
    case Qt::Key_Minus:
        return QLatin1Char('-');
    case Qt::Key_Asterisk:
    case Qt::Key_multiply:
        return QLatin1Char('*');
    case Qt::Key_Slash:
    case Qt::Key_division:
        return QLatin1Char('/');
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return QLatin1Char(',');
    default:
        break;
    }
    if (text.size() != 1)
        return QChar();
    const char16_t c = text.at(0).unicode();
    if (c >= u'0' && c <= u'9')
        return text.at(0);
    switch (c) {
    case u'=': return QLatin1Char('=');
    case u'+': return QLatin1Char('+');
    case u'-':
    case u'\u2212': return QLatin1Char('-');
    case u'*':
    case u'\u00D7': return QLatin1Char('*');
    case u'/':
    case u'\u00F7': return QLatin1Char('/');
    case u'.':
    case u',': return QLatin1Char(',');
    case u'c':
    case u'C': return QLatin1Char('C');
    default: return QChar();
    }
}

bool isDecimalKey(int key, Qt::KeyboardModifiers modifiers, const QString &text)
{
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    if (modifiers & Qt::KeypadModifier)
        return key == Qt::Key_Period || key == Qt::Key_Comma;
    return text == QLatin1String(".");
}
