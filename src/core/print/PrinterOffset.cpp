#include "PrinterOffset.h"

#include "config/ProgramSettings.h"

#include <QLocale>
#include <QPageLayout>
#include <QtMath>

namespace {
bool parseTenths(const QString &text, int *tenths)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok || qAbs(value) > kMaxOffsetTenths)
        return false;
    *tenths = value;
    return true;
}

int tenthsToDots(int tenths, int dpi)
{
    // 254 tenths of a millimetre to the inch.
    return qRound(double(tenths) * dpi / 254.0);
}
} // namespace

bool parsePrinterOffset(const QString &text, PrinterOffset *offset)
{
    const QStringList parts = text.split(QLatin1Char(';'));
    PrinterOffset read;
    if (parts.size() != 2 || !parseTenths(parts[0], &read.right) || !parseTenths(parts[1], &read.down))
        return false;
    *offset = read;
    return true;
}

QString formatPrinterOffset(const PrinterOffset &offset)
{
    return QString::number(offset.right) + QLatin1Char(';') + QString::number(offset.down);
}

QPoint offsetInDots(const PrinterOffset &offset, int dpiX, int dpiY)
{
    return QPoint(tenthsToDots(offset.right, dpiX), tenthsToDots(offset.down, dpiY));
}

QRect printableDots(const QPageLayout &layout, int dpi)
{
    QPageLayout atMinimum = layout;
    atMinimum.setMargins(layout.minimumMargins());
    return QRect(QPoint(0, 0), atMinimum.paintRectPixels(dpi).size());
}

QStringList zonesOutside(const QList<PrintedZone> &zones, const QRect &printable)
{
    QStringList names;
    for (const PrintedZone &zone : zones)
        if (!zone.dots.isEmpty() && !printable.contains(zone.dots))
            names << zone.name;
    return names;
}

QString outOfAreaQuestion(const QStringList &names)
{
    return QStringLiteral("Ces zones sortent de la partie imprimable de la page : ")
           + names.join(QStringLiteral(", ")) + QStringLiteral("\nImprimer quand même ?");
}

StoredPrinterOffset readStoredPrinterOffset(const QString &printerName)
{
    StoredPrinterOffset stored;
    if (printerName.trimmed().isEmpty())
        return stored;
    stored.text = groupText(SettingGroup::PrinterOffsets, printerName);
    // An empty value is no offset, as a missing one.
    stored.unreadable = !stored.text.trimmed().isEmpty() && !parsePrinterOffset(stored.text, &stored.offset);
    return stored;
}

PrinterOffset storedPrinterOffset(const QString &printerName)
{
    return readStoredPrinterOffset(printerName).offset;
}

QString unreadableOffsetNote(const QString &text)
{
    return QStringLiteral("Le décalage enregistré « ") + text
           + QStringLiteral(" » ne peut pas être lu : aucun décalage n'est appliqué. Il est gardé tel quel "
                            "jusqu'à ce qu'une nouvelle valeur soit choisie ici.");
}

QString unreadableOffsetNotice(const QString &printerName, const QString &text)
{
    return QStringLiteral("Le décalage enregistré pour l'imprimante « ") + printerName + QStringLiteral(" » (« ")
           + text
           + QStringLiteral(" ») ne peut pas être lu : la page est imprimée sans décalage. Choisissez-en un "
                            "nouveau dans « Décalage de l'imprimante ».");
}

QString describePrinterOffset(const StoredPrinterOffset &stored)
{
    if (stored.unreadable)
        return QStringLiteral("aucun (la valeur enregistrée « ") + stored.text
               + QStringLiteral(" » ne peut pas être lue)");
    const QLocale french(QLocale::French, QLocale::France);
    auto part = [&french](int tenths, const char *plus, const char *minus) -> QString {
        return french.toString(qAbs(tenths) / 10.0, 'f', 1) + QStringLiteral(" mm vers ")
               + QString::fromUtf8(tenths > 0 ? plus : minus);
    };
    QStringList parts;
    if (stored.offset.right != 0)
        parts << part(stored.offset.right, "la droite", "la gauche");
    if (stored.offset.down != 0)
        parts << part(stored.offset.down, "le bas", "le haut");
    return parts.isEmpty() ? QStringLiteral("aucun") : parts.join(QStringLiteral(", "));
}

void storePrinterOffset(const QString &printerName, const PrinterOffset &offset)
{
    if (!printerName.trimmed().isEmpty())
        storeGroupText(SettingGroup::PrinterOffsets, printerName, formatPrinterOffset(offset));
}

bool outOfAreaWarningWanted()
{
    return settingFlag(Setting::OutOfAreaWarning);
}

void setOutOfAreaWarningWanted(bool wanted)
{
    storeFlag(Setting::OutOfAreaWarning, wanted);
}
