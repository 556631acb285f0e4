#include "TextSearch.h"

std::optional<TextSearch::Match> TextSearch::next(const QString &text, const QString &needle)
{
    if (needle.isEmpty())
        return std::nullopt;
    const qsizetype at = m_position <= text.size() ? text.indexOf(needle, m_position, Qt::CaseInsensitive) : -1;
    if (at < 0) {
        m_position = 0;
        return std::nullopt;
    }
    m_position = int(at + needle.size());
    return Match{int(at), int(needle.size())};
}
