#include "CcamRtfWriter.h"

#include "support/CodePage.h"

namespace {

// Plain ASCII as it is, the RTF specials escaped, Windows-1252 characters as
// \'hh, anything else as \uN with "?" for readers without Unicode.
QByteArray rtfText(const QString &text)
{
    QByteArray out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            out += '\\';
            out += char(u);
        } else if (u >= 0x20 && u < 0x80) {
            out += char(u);
        } else {
            bool ok = false;
            const QByteArray byte = encodeWindows1252(QString(c), &ok);
            if (ok && byte.size() == 1)
                out += "\\'" + QByteArray::number(quint8(byte.at(0)), 16).rightJustified(2, '0');
            else
                out += "\\u" + QByteArray::number(qint16(u)) + '?';
        }
    }
    return out;
}

// The viewer's header ("Code", "Texte", "Activité", "Phase", "Tarif (en
// euro)", "Rembt. ss Cdtions", "Accord Préalable", "Exo. TM",
// "Regroupement") is drawn at the view's tab stops, one every 80 pixels; a
// title wider than a stop runs to the next one. Its titles thus start at
// these stops.
const int kTitleStops[] = {0, 2, 3, 4, 5, 7, 9, 11, 12};

// The tabs from the start of one title's column to the next one's, for a
// value narrower than a stop.
QByteArray tabsBetween(int title, int next)
{
    QByteArray tabs;
    for (int stop = kTitleStops[title]; stop < kTitleStops[next]; ++stop)
        tabs += "\\tab ";
    return tabs;
}

} // namespace

QList<QStringList> ccamActsOfTable(const QString &table)
{
    QStringList lines = table.split(QLatin1Char('\n'));
    if (!lines.isEmpty())
        lines.removeFirst();
    QList<QStringList> acts;
    for (const QString &line : lines) {
        if (line.trimmed().isEmpty())
            continue;
        QStringList cells = line.split(QLatin1Char('\t'));
        while (cells.size() < 10)
            cells << QString();
        for (QString &cell : cells)
            cell = cell.trimmed();
        acts << cells;
    }
    return acts;
}

QByteArray ccamRtf(const QList<QStringList> &acts)
{
    QByteArray rtf;
    rtf += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\r\n";
    rtf += "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\r\n";
    // 1: the codes, 2: the notes.
    rtf += "{\\colortbl ;\\red255\\green255\\blue0;\\red192\\green192\\blue192;}\r\n";
    rtf += "\\pard\\plain\\fs20\r\n";
    rtf += "{\\i\\cf2 " + rtfText(QStringLiteral(
               "Extrait de la CCAM (gynécologie et obstétrique) tiré de sources publiques : "
               "vérifiez chaque acte et son tarif sur la CCAM officielle (ameli.fr) avant de l'utiliser. "
               "Placez le fichier complet de votre cabinet sous le nom CCAM.RTF à côté du programme."))
        + "}\\par\r\n\\par\r\n";
    // A wording is far wider than its column, and would push every value
    // after it out of its own: each act takes two lines. The first holds the
    // code and the wording under "Code" and "Texte"; the second, from the
    // start of the line, each short value under its own title.
    for (const QStringList &cells : acts) {
        rtf += "{\\b\\cf1 " + rtfText(cells.value(0)) + "}" + tabsBetween(0, 1) + rtfText(cells.value(1))
            + "\\par\r\n";
        rtf += tabsBetween(0, 2);
        // Activity, phase, tariff and the four flags, under titles 2 to 8.
        const int columns[] = {2, 3, 4, 6, 7, 8, 9};
        for (int title = 2; title <= 8; ++title) {
            rtf += rtfText(cells.value(columns[title - 2]));
            if (title < 8)
                rtf += tabsBetween(title, title + 1);
        }
        rtf += "\\par\r\n";
    }
    rtf += "}\r\n";
    return rtf;
}
