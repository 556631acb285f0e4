// The import of a patient from the external record, on any input: its INI
// file ("navelis.ini") gives back the database path and the patient code it
// holds whatever the lines around them; any value of a row reads as text
// without fault, the same text reading again as itself and a date as the
// same date; the fields a row puts on the sheet keep the address on one line.

#include "FuzzSupport.h"

#include "patient/DateRules.h"
#include "patient/PatientImport.h"
#include "support/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlField>
#include <QSqlRecord>

#include <cstring>

namespace {

// A value as a driver hands it over: nothing, text, a whole or floating
// number (any bits, so infinities and NaN too), a date, a date and time, bytes.
QVariant rowValue(FuzzedDataProvider &input)
{
    switch (input.ConsumeIntegralInRange(0, 6)) {
    case 0: return QVariant();
    case 1: return textFrom(input, 40);
    case 2: return QVariant(input.ConsumeIntegral<qint64>());
    case 3: {
        const quint64 bits = input.ConsumeIntegral<quint64>();
        double number;
        std::memcpy(&number, &bits, sizeof number);
        return QVariant(number);
    }
    case 4: return QDate::fromJulianDay(input.ConsumeIntegralInRange<qint64>(-1000000, 6000000));
    case 5:
        return QDateTime(QDate::fromJulianDay(input.ConsumeIntegralInRange<qint64>(-1000000, 6000000)),
                         QTime::fromMSecsSinceStartOfDay(input.ConsumeIntegralInRange(0, 86399999)));
    default: return QVariant(QByteArray::fromStdString(input.ConsumeRandomLengthString(40)));
    }
}

void checkValue(const QVariant &value)
{
    const QString text = recordText(value);
    FUZZ_CHECK(recordText(QVariant(text)) == text);
    if (value.typeId() == QMetaType::QDate && value.toDate().year() >= 1 && value.toDate().year() <= 9999)
        FUZZ_CHECK(parseSheetDate(text) == value.toDate());
}

bool hasLineBreak(const QString &text)
{
    for (const QChar c : text)
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar::LineSeparator
            || c == QChar::ParagraphSeparator)
            return true;
    return false;
}

// A value the external program could have written: one line, no blanks
// around it, not inside quotes (the reading drops one pair).
bool writable(const QString &value)
{
    return !value.isEmpty() && value == value.trimmed() && !value.contains(QLatin1Char('\r'))
        && !value.contains(QLatin1Char('\n')) && !value.startsWith(QLatin1Char('"'))
        && !value.startsWith(QLatin1Char('\''));
}

QString freshFile()
{
    static int count = 0;
    return QDir::temp().filePath(
        QStringLiteral("tiravon_fuzz_%1_%2.ini").arg(QCoreApplication::applicationPid()).arg(++count));
}

void checkIni(FuzzedDataProvider &input)
{
    const QString around = textFrom(input, 200);
    const QString database = textFrom(input, 60);
    const qint32 code = input.ConsumeIntegral<qint32>();
    const QString text = around + QStringLiteral("\r\n[BASES]\r\nCheminBaseOrel=") + database
        + QStringLiteral("\r\n[MRU]\r\nPATIENT=") + QString::number(code) + QStringLiteral("\r\n") + around;
    const QString file = freshFile();
    {
        QFile out(file);
        FUZZ_CHECK(out.open(QIODevice::WriteOnly));
        out.write(encodeText(text, TextEncoding::Utf8Bom));
    }
    const NavelisIni ini = readNavelisIni(file);
    QFile::remove(file);

    FUZZ_CHECK(!ini.databasePath.contains(QLatin1Char('\r')) && !ini.databasePath.contains(QLatin1Char('\n')));
    // Unless the lines in front open sections of their own (which could be
    // the same ones), or the path is more than one line, the values are those
    // written.
    if (around.contains(QLatin1Char('[')) || database.contains(QLatin1Char('\r'))
        || database.contains(QLatin1Char('\n')))
        return;
    if (writable(database))
        FUZZ_CHECK(ini.databasePath == database);
    FUZZ_CHECK(ini.patientCodeRead && ini.patientCode == code);
}

void checkRow(FuzzedDataProvider &input)
{
    QSqlRecord row;
    for (const char *column : {"CODE PATIENT", "NOM", "PRENOM", "DATE NAISSANCE", "NUMERO SECURITE SOCIAL", "MEMO",
                               "ADRESSE", "CODE POSTAL", "VILLE"}) {
        if (input.ConsumeIntegralInRange(0, 15) == 0)
            continue;           // a column the table does not have
        const QVariant value = rowValue(input);
        checkValue(value);
        QSqlField field(QString::fromLatin1(column), value.metaType());
        field.setValue(value);
        row.append(field);
    }
    const PatientRecord patient = patientRecord(row);
    const ImportedPatient sheet = importedPatient(patient);
    FUZZ_CHECK(!hasLineBreak(sheet.address));
    (void)importConfirmation(patient);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    if (input.ConsumeBool())
        checkIni(input);
    else
        checkRow(input);
    return 0;
}
