#pragma once

#include <QString>
#include <optional>

// The search of the CCAM viewer: one position in the displayed text, shared
// by every search field, from which the next search starts. Letters match
// without regard to case and a text may match inside a word.
class TextSearch
{
public:
    struct Match
    {
        int start;
        int length;
    };

    // Looks for the needle at or after the position. Found: the match, and
    // the position moves just after it. Not found: nothing, and the next
    // search starts again from the beginning of the text. An empty needle
    // finds nothing and leaves the position where it is.
    std::optional<Match> next(const QString &text, const QString &needle);

    int position() const { return m_position; }

private:
    int m_position = 0;
};
