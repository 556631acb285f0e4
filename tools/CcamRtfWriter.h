#pragma once

// The writing of a CCAM reference text in RTF from a table of acts, shared by
// make_ccam_rtf (the sample shipped beside the program) and the benchmark
// (a reference of thousands of acts).

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The acts of a table (tab-separated, one header line, one act a line):
// code, wording, activity, phase, tariff, tariff year, the four flags (refund
// under conditions, prior agreement, exemption from the patient's share,
// grouping) and the source; each act has at least those ten cells.
QList<QStringList> ccamActsOfTable(const QString &table);

// The RTF reference text of the acts: the note on where the acts come from,
// then each act on two lines whose texts start under the titles of the
// viewer's header: the code and the wording, then the activity, the phase,
// the tariff and the four flags.
QByteArray ccamRtf(const QList<QStringList> &acts);
