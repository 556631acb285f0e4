#include "RtfReader.h"

#include "support/CodePage.h"
#include "support/TiravonError.h"

#include <QHash>
#include <QStringDecoder>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <climits>
#include <string_view>
#include <unordered_map>
#include <vector>

bool RtfCharFormat::operator==(const RtfCharFormat &other) const
{
    return bold == other.bold && italic == other.italic && underline == other.underline
        && foreground == other.foreground && background == other.background
        && fontFamily == other.fontFamily && pointSize == other.pointSize;
}

namespace {

// Groups nested deeper than this share the state of the deepest one kept.
const std::size_t kMaxKeptDepth = 512;
// Control words are at most 32 letters; longer ones are read whole but unknown.
const std::size_t kMaxWordLength = 32;

enum class Destination { Text, Skip, FontTable, ColorTable };

// The format as the file states it: indices into the font and colour tables,
// resolved once the tables are complete.
struct RawFormat
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int foreground = 0;
    int background = 0;
    int font = -1;              // -1: the document's default font
    int halfPoints = 0;

    bool operator!=(const RawFormat &o) const
    {
        return bold != o.bold || italic != o.italic || underline != o.underline || foreground != o.foreground
            || background != o.background || font != o.font || halfPoints != o.halfPoints;
    }
};

struct GroupState
{
    Destination destination = Destination::Text;
    RawFormat format;
    int unicodeSkip = 1;        // \ucN: characters of fallback after each \uN
};

struct RawRun
{
    int start;
    int length;
    RawFormat format;
};

enum class Word {
    Paragraph, LineBreak, Tab, Character, Bold, Italic, Underline, UnderlineNone, Plain,
    Foreground, Background, Font, FontSize, DefaultFont, CodePage, UnicodeSkip, Unicode,
    Binary, FontTable, ColorTable, Red, Green, Blue, SkipDestination,
};

struct WordInfo
{
    Word word;
    char16_t character = 0;     // for Word::Character
};

const std::unordered_map<std::string_view, WordInfo> &controlWords()
{
    static const std::unordered_map<std::string_view, WordInfo> words = [] {
        std::unordered_map<std::string_view, WordInfo> w;
        for (const char *name : {"par", "sect", "page", "row"})
            w[name] = {Word::Paragraph};
        w["line"] = {Word::LineBreak};
        w["tab"] = {Word::Tab};
        w["cell"] = {Word::Tab};
        const std::pair<const char *, char16_t> characters[] = {
            {"emdash", 0x2014}, {"endash", 0x2013}, {"bullet", 0x2022}, {"lquote", 0x2018},
            {"rquote", 0x2019}, {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"emspace", 0x2003},
            {"enspace", 0x2002}, {"qmspace", 0x2005},
        };
        for (const auto &c : characters)
            w[c.first] = {Word::Character, c.second};
        w["b"] = {Word::Bold};
        w["i"] = {Word::Italic};
        for (const char *name : {"ul", "uld", "uldash", "uldb", "ulw", "ulwave", "ulth", "uldashd", "uldashdd"})
            w[name] = {Word::Underline};
        w["ulnone"] = {Word::UnderlineNone};
        w["plain"] = {Word::Plain};
        w["cf"] = {Word::Foreground};
        for (const char *name : {"cb", "highlight", "chcbpat"})
            w[name] = {Word::Background};
        w["f"] = {Word::Font};
        w["fs"] = {Word::FontSize};
        w["deff"] = {Word::DefaultFont};
        w["ansicpg"] = {Word::CodePage};
        w["uc"] = {Word::UnicodeSkip};
        w["u"] = {Word::Unicode};
        w["bin"] = {Word::Binary};
        w["fonttbl"] = {Word::FontTable};
        w["colortbl"] = {Word::ColorTable};
        w["red"] = {Word::Red};
        w["green"] = {Word::Green};
        w["blue"] = {Word::Blue};
        for (const char *name :
             {"stylesheet", "info", "pict", "object", "objdata", "header", "headerl", "headerr", "headerf",
              "footer", "footerl", "footerr", "footerf", "footnote", "fldinst", "themedata",
              "colorschememapping", "latentstyles", "datastore", "xmlnstbl", "listtable",
              "listoverridetable", "rsidtbl", "generator", "filetbl", "revtbl", "pgdsctbl", "nonshppict",
              "bkmkstart", "bkmkend", "xe", "tc", "txe", "falt", "panose", "shpinst", "sp", "sn", "sv",
              "userprops", "docvar", "template", "mmathPr", "wgrffmtfilter"})
            w[name] = {Word::SkipDestination};
        return w;
    }();
    return words;
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

class Reader
{
public:
    explicit Reader(const QByteArray &bytes)
        : m_data(bytes.constData()), m_size(bytes.size())
    {
        setCodePage(1252);
    }

    RtfText read(qsizetype start)
    {
        m_pos = start;
        while (m_pos < m_size && !m_done) {
            const char c = m_data[m_pos++];
            switch (c) {
            case '{': openGroup(); break;
            case '}': closeGroup(); break;
            case '\\': controlSequence(); break;
            case '\r':
            case '\n': break;
            default: textByte(static_cast<unsigned char>(c)); break;
            }
        }
        if (!m_done)
            m_truncated = true;
        return result();
    }

private:
    void openGroup()
    {
        m_pendingSkip = 0;
        if (m_stack.size() < kMaxKeptDepth)
            m_stack.push_back(m_state);
        else
            ++m_extraDepth;
    }

    void closeGroup()
    {
        m_pendingSkip = 0;
        if (m_extraDepth > 0) {
            --m_extraDepth;
            return;
        }
        if (m_state.destination == Destination::FontTable)
            storeFont();
        if (m_stack.empty()) {
            m_done = true;
            return;
        }
        m_state = m_stack.back();
        m_stack.pop_back();
        if (m_stack.empty())
            m_done = true;        // the document's own group is closed: what follows is not part of it
    }

    void controlSequence()
    {
        if (m_pos >= m_size) {
            m_truncated = true;
            return;
        }
        const char first = m_data[m_pos];
        if (!isLetter(first)) {
            ++m_pos;
            controlSymbol(first);
            return;
        }
        const qsizetype start = m_pos;
        while (m_pos < m_size && isLetter(m_data[m_pos]))
            ++m_pos;
        const std::string_view word(m_data + start,
                                    std::min<std::size_t>(std::size_t(m_pos - start), kMaxWordLength + 1));
        bool negative = false;
        if (m_pos + 1 < m_size && m_data[m_pos] == '-' && isDigit(m_data[m_pos + 1])) {
            negative = true;
            ++m_pos;
        }
        bool hasParameter = false;
        long long parameter = 0;
        while (m_pos < m_size && isDigit(m_data[m_pos])) {
            hasParameter = true;
            if (parameter < 100000000000LL)
                parameter = parameter * 10 + (m_data[m_pos] - '0');
            ++m_pos;
        }
        if (m_pos < m_size && m_data[m_pos] == ' ')
            ++m_pos;
        if (negative)
            parameter = -parameter;
        const int value = int(std::clamp<long long>(parameter, INT_MIN, INT_MAX));
        controlWord(word, hasParameter, value);
    }

    void controlSymbol(char symbol)
    {
        if (symbol == '\'') {
            if (m_pos + 1 >= m_size || hexValue(m_data[m_pos]) < 0 || hexValue(m_data[m_pos + 1]) < 0) {
                // A cut or malformed escape: what there is of it is dropped.
                if (m_pos + 1 >= m_size)
                    m_truncated = true;
                m_pos = std::min(m_pos + 2, m_size);
                return;
            }
            const int byte = hexValue(m_data[m_pos]) * 16 + hexValue(m_data[m_pos + 1]);
            m_pos += 2;
            textByte(static_cast<unsigned char>(byte));
            return;
        }
        if (consumeFallback())
            return;
        switch (symbol) {
        case '\\':
        case '{':
        case '}': textCharacter(char16_t(symbol)); break;
        case '~': put(0x00A0); break;
        case '_': put(0x2011); break;
        case '*': m_state.destination = Destination::Skip; break;
        case '\r':
        case '\n': put(u'\n'); break;
        case '\t': put(u'\t'); break;
        default: break;            // \- (optional hyphen), \: and the unknown ones
        }
    }

    void controlWord(std::string_view name, bool hasParameter, int value)
    {
        const auto found = controlWords().find(name);
        if (found != controlWords().end() && found->second.word == Word::Binary) {
            // Binary data is skipped whatever happens around it.
            if (hasParameter && value > 0) {
                if (value > m_size - m_pos)
                    m_truncated = true;
                m_pos += std::min<qsizetype>(value, m_size - m_pos);
            }
            return;
        }
        if (consumeFallback())
            return;
        if (found == controlWords().end())
            return;
        const bool on = !hasParameter || value != 0;
        RawFormat &format = m_state.format;
        switch (found->second.word) {
        case Word::Paragraph: put(u'\n'); break;
        case Word::LineBreak: put(0x2028); break;
        case Word::Tab: put(u'\t'); break;
        case Word::Character: put(found->second.character); break;
        case Word::Bold: format.bold = on; break;
        case Word::Italic: format.italic = on; break;
        case Word::Underline: format.underline = on; break;
        case Word::UnderlineNone: format.underline = false; break;
        case Word::Plain: format = RawFormat(); break;
        case Word::Foreground: format.foreground = value; break;
        case Word::Background: format.background = value; break;
        case Word::Font:
            if (m_state.destination == Destination::FontTable) {
                storeFont();
                m_fontNumber = value;
            } else {
                format.font = value;
            }
            break;
        case Word::FontSize: format.halfPoints = std::max(0, value); break;
        case Word::DefaultFont: m_defaultFont = value; break;
        case Word::CodePage: setCodePage(value); break;
        case Word::UnicodeSkip: m_state.unicodeSkip = std::clamp(value, 0, 16); break;
        case Word::Unicode:
            if (hasParameter) {
                put(char16_t(value < 0 ? value + 65536 : value));
                m_pendingSkip = m_state.unicodeSkip;
            }
            break;
        case Word::FontTable: m_state.destination = Destination::FontTable; break;
        case Word::ColorTable:
            m_state.destination = Destination::ColorTable;
            m_colors.clear();
            break;
        case Word::Red: m_red = std::clamp(value, 0, 255); break;
        case Word::Green: m_green = std::clamp(value, 0, 255); break;
        case Word::Blue: m_blue = std::clamp(value, 0, 255); break;
        case Word::SkipDestination: m_state.destination = Destination::Skip; break;
        case Word::Binary: break;
        }
    }

    // After \uN, the next characters are the fallback for readers without
    // Unicode: each byte, escape, control symbol or control word counts as one.
    bool consumeFallback()
    {
        if (m_pendingSkip <= 0)
            return false;
        --m_pendingSkip;
        return true;
    }

    void textByte(unsigned char byte)
    {
        if (consumeFallback())
            return;
        textCharacter(m_codePage[byte]);
    }

    void textCharacter(char16_t c)
    {
        switch (m_state.destination) {
        case Destination::Text: put(c); break;
        case Destination::Skip: break;
        case Destination::FontTable:
            if (c == u';')
                storeFont();
            else
                m_fontName.append(QChar(c));
            break;
        case Destination::ColorTable:
            if (c == u';') {
                m_colors.append(m_red < 0 && m_green < 0 && m_blue < 0
                                    ? QColor()
                                    : QColor(std::max(m_red, 0), std::max(m_green, 0), std::max(m_blue, 0)));
                m_red = m_green = m_blue = -1;
            }
            break;
        }
    }

    void put(char16_t c)
    {
        if (m_state.destination != Destination::Text)
            return;
        // Control characters would disturb the view's positions: only the
        // tab and the paragraph end are kept.
        if (c < 0x20 && c != u'\t' && c != u'\n')
            return;
        if (m_runs.empty() || m_runs.back().format != m_state.format)
            m_runs.push_back({int(m_text.size()), 0, m_state.format});
        m_text.append(QChar(c));
        ++m_runs.back().length;
    }

    void storeFont()
    {
        const QString name = m_fontName.trimmed();
        if (m_fontNumber >= 0 && !name.isEmpty() && !m_fonts.contains(m_fontNumber))
            m_fonts.insert(m_fontNumber, name);
        m_fontName.clear();
    }

    void setCodePage(int codePage)
    {
        if (codePage == 28591) {
            for (int b = 0; b < 256; ++b)
                m_codePage[std::size_t(b)] = char16_t(b);
            return;
        }
        if (codePage != 1252) {
            // Other single-byte code pages where Qt knows them; else Windows-1252.
            QStringDecoder probe(QByteArray("windows-" + QByteArray::number(codePage)).constData());
            if (probe.isValid()) {
                for (int b = 0; b < 256; ++b) {
                    QStringDecoder decoder(QByteArray("windows-" + QByteArray::number(codePage)).constData());
                    const QString decoded = decoder.decode(QByteArray(1, char(b)));
                    m_codePage[std::size_t(b)] = decoded.size() == 1 ? decoded.at(0).unicode() : u'?';
                }
                return;
            }
        }
        QByteArray all(256, '\0');
        for (int b = 0; b < 256; ++b)
            all[b] = char(b);
        const QString decoded = decodeWindows1252(all);
        for (int b = 0; b < 256; ++b)
            m_codePage[std::size_t(b)] = decoded.at(b).unicode();
    }

    QColor color(int index) const
    {
        return index >= 0 && index < m_colors.size() ? m_colors.at(index) : QColor();
    }

    RtfText result() const
    {
        RtfText out;
        out.text = m_text;
        out.truncated = m_truncated;
        out.runs.reserve(int(m_runs.size()));
        for (const RawRun &raw : m_runs) {
            RtfRun run;
            run.start = raw.start;
            run.length = raw.length;
            run.format.bold = raw.format.bold;
            run.format.italic = raw.format.italic;
            run.format.underline = raw.format.underline;
            run.format.foreground = color(raw.format.foreground);
            run.format.background = color(raw.format.background);
            run.format.fontFamily = m_fonts.value(raw.format.font >= 0 ? raw.format.font : m_defaultFont);
            run.format.pointSize = raw.format.halfPoints / 2.0;
            out.runs.append(run);
        }
        return out;
    }

    const char *m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
    bool m_done = false;
    bool m_truncated = false;

    std::vector<GroupState> m_stack;
    std::size_t m_extraDepth = 0;
    GroupState m_state;
    int m_pendingSkip = 0;

    QString m_text;
    std::vector<RawRun> m_runs;

    std::array<char16_t, 256> m_codePage{};
    QVector<QColor> m_colors;
    int m_red = -1, m_green = -1, m_blue = -1;
    QHash<int, QString> m_fonts;
    int m_fontNumber = -1;
    QString m_fontName;
    int m_defaultFont = -1;
};

} // namespace

RtfText readRtf(const QByteArray &bytes)
{
    qsizetype start = 0;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        start = 3;
    while (start < bytes.size() && (bytes.at(start) == ' ' || bytes.at(start) == '\t'
                                    || bytes.at(start) == '\r' || bytes.at(start) == '\n'))
        ++start;
    if (start == bytes.size())
        throw TiravonError(QStringLiteral("le fichier est vide"));
    if (bytes.mid(start, 5) != "{\\rtf")
        throw TiravonError(QStringLiteral("ce n'est pas un texte RTF"));
    Reader reader(bytes);
    return reader.read(start);
}

void fillTextDocument(QTextDocument *document, const RtfText &content)
{
    document->clear();
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    for (const RtfRun &run : content.runs) {
        QTextCharFormat format;
        if (run.format.bold)
            format.setFontWeight(QFont::Bold);
        if (run.format.italic)
            format.setFontItalic(true);
        if (run.format.underline)
            format.setFontUnderline(true);
        if (run.format.foreground.isValid())
            format.setForeground(run.format.foreground);
        if (run.format.background.isValid())
            format.setBackground(run.format.background);
        if (!run.format.fontFamily.isEmpty())
            format.setFontFamilies(QStringList{run.format.fontFamily});
        if (run.format.pointSize > 0)
            format.setFontPointSize(run.format.pointSize);
        cursor.insertText(content.text.mid(run.start, run.length), format);
    }
    cursor.endEditBlock();
}
