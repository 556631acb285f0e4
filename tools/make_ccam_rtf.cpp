// Writes the sample CCAM reference text "CCAM.RTF" from a table of acts
// (tab-separated, UTF-8, one header line): code, wording, activity, phase,
// tariff, tariff year, the four flags (refund under conditions, prior
// agreement, exemption from the patient's share, grouping) and the source.
// Each act on two lines, each text under its title in the viewer's header.
//
//   make_ccam_rtf tools/ccam_gyneco.tsv resources/CCAM.RTF
#include "CcamRtfWriter.h"

#include <QFile>
#include <QString>
#include <cstdio>

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
    const QList<QStringList> acts = ccamActsOfTable(QString::fromUtf8(input.readAll()));
    const QByteArray rtf = ccamRtf(acts);

    QFile output(QString::fromLocal8Bit(argv[2]));
    if (!output.open(QIODevice::WriteOnly | QIODevice::Truncate) || output.write(rtf) != rtf.size()) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("%d acts written to %s\n", int(acts.size()), argv[2]);
    return 0;
}
