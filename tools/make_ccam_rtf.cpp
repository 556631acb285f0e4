// Writes the sample CCAM reference text "CCAM.RTF" from a table of acts
// (tab-separated, UTF-8, one header line): code, wording, activity, phase,
// tariff, tariff year, the four flags (refund under conditions, prior
// agreement, exemption from the patient's share, grouping) and the source.
// One act per line, in the columns of the viewer's header.
//
//   make_ccam_rtf tools/ccam_gyneco.tsv resources/CCAM.RTF
#include "support/CodePage.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <cstdio>

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

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_ccam_rtf acts.tsv CCAM.RTF\n");
        return 2;
    }
    QFile input(QString::fromLocal8Bit(argv[1]));
    if (!input.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    QStringList lines = QString::fromUtf8(input.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty())
        lines.removeFirst();

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
    int acts = 0;
    for (const QString &line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty())
            continue;
        QStringList cells = line.split(QLatin1Char('\t'));
        while (cells.size() < 10)
            cells << QString();
        const QString code = cells.at(0).trimmed();
        rtf += "{\\b\\cf1 " + rtfText(code) + "}\\tab\\tab " + rtfText(cells.at(1).trimmed());
        // Activity, phase, tariff and the four flags.
        for (int column : {2, 3, 4, 6, 7, 8, 9})
            rtf += "\\tab " + rtfText(cells.at(column).trimmed());
        rtf += "\\par\r\n";
        ++acts;
    }
    rtf += "}\r\n";

    QFile output(QString::fromLocal8Bit(argv[2]));
    if (!output.open(QIODevice::WriteOnly | QIODevice::Truncate) || output.write(rtf) != rtf.size()) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("%d acts written to %s\n", acts, argv[2]);
    return 0;
}
