#include "ActModel.h"

#include "config/ProgramSettings.h"
#include "support/IniFile.h"
#include "support/TextFile.h"
#include "support/TiravonError.h"
#include "support/SettingsStore.h"

#include <QFileInfo>

namespace {

ActModelKey text(const char *section, const char *key, QString ActModel::*member, const char *def = "",
                 const char *field = nullptr)
{
    return {section, key, field ? field : key, def, member, nullptr, nullptr};
}

} // namespace

const QList<ActModelKey> &actModelKeys()
{
    static const QList<ActModelKey> keys = {
        text("ACTES", "ACTE_1", &ActModel::ACTE_1),
        text("ACTES", "ACTE_2", &ActModel::ACTE_2),
        text("ACTES", "ACTE_3", &ActModel::ACTE_3),
        text("ACTES", "ACTE_4", &ActModel::ACTE_4),
        text("ACTES", "CCAM_1", &ActModel::CCAM_1),
        text("ACTES", "CCAM_2", &ActModel::CCAM_2),
        text("TARIFS", "TARIF_1", &ActModel::TARIF_1),
        text("TARIFS", "TARIF_2", &ActModel::TARIF_2),
        text("TARIFS", "TARIF_3", &ActModel::TARIF_3),
        text("TARIFS", "TARIF_4", &ActModel::TARIF_4),
        text("TARIFS", "TOTAL", &ActModel::MONTANT_TOTAL, "", "MONTANT_TOTAL"),
        text("COCHES", "COCHE_MALADIE", &ActModel::COCHE_MALADIE, "X"),
        text("COCHES", "COCHE_MATERNITE", &ActModel::COCHE_MATERNITE),
        text("COCHES", "COCHE_ACCES", &ActModel::COCHE_ACCES, "X"),
        text("COCHES", "COCHE_NP_COMP", &ActModel::COCHE_NP_COMP),
        text("COCHES", "COCHE_NP_OBLIGAT", &ActModel::COCHE_NP_OBLIGAT),
        text("COCHES", "COCHE_ALD_0", &ActModel::COCHE_ALD_0),
        text("COCHES", "COCHE_ALD_1", &ActModel::COCHE_ALD_1),
        {"NOTE", "VISIBLE", nullptr, "", nullptr, &ActModel::stampVisible, nullptr},
        {"NOTE", "TEXTE", nullptr, "DUPLICATA", &ActModel::stampText, nullptr, nullptr},
        {"NOTE", "TOP", nullptr, "", nullptr, nullptr, &ActModel::stampTop},
        {"NOTE", "LEFT", nullptr, "", nullptr, nullptr, &ActModel::stampLeft},
    };
    return keys;
}

ActModel readActModel(const QString &file, const QPoint &currentStampPlace)
{
    // The file is read once; each key is looked up as the settings store
    // reads it (blanks and quotes dropped, the length limit, the integer and
    // boolean forms).
    const TextFileContent content = readTextFile(file);
    const IniDocument document = IniDocument::parse(content.exists ? content.text : QString());
    ActModel model;
    for (const ActModelKey &k : actModelKeys()) {
        const QString section = QString::fromLatin1(k.section);
        const QString key = QString::fromLatin1(k.key);
        const auto stored = document.value(section, key);
        if (k.text) {
            model.*k.text = stored ? profileValue(*stored) : QString::fromUtf8(k.textDefault);
            continue;
        }
        qint32 value = 0;
        const bool read = stored && parseStoredInteger(profileValue(*stored), &value);
        if (k.flag) {
            model.*k.flag = read && value != 0;
        } else {
            const int current = k.number == &ActModel::stampTop ? currentStampPlace.y() : currentStampPlace.x();
            model.*k.number = read ? value : current;
        }
    }
    return model;
}

void writeActModel(const QString &file, const ActModel &model)
{
    // The keys go in as twenty-two writes of the settings store would put
    // them, but the file is replaced once: a save is whole or not at all.
    const TextFileContent content = readTextFile(file);
    // A file that is there but cannot be read must not be replaced.
    if (!content.exists && QFileInfo::exists(file))
        throw TiravonError(Messages::cannotWrite(file));
    IniDocument document = IniDocument::parse(content.text);
    for (const ActModelKey &k : actModelKeys()) {
        QString value;
        if (k.text)
            value = model.*k.text;
        else if (k.flag)
            value = model.*k.flag ? QStringLiteral("1") : QStringLiteral("0");
        else
            value = QString::number(model.*k.number);
        document.setValue(QString::fromLatin1(k.section), QString::fromLatin1(k.key), value);
    }
    writeTextFile(file, document.toText(), content.exists ? content.encoding : TextEncoding::Windows1252);
}

void registerActModel(const QString &actName, const QString &modelFile, const QString &settingsFile)
{
    storeGroupText(SettingGroup::ActModelFiles, actName, modelFile, settingsFile);
}

QString registeredActModel(const QString &actName, const QString &settingsFile)
{
    return groupText(SettingGroup::ActModelFiles, actName, settingsFile);
}

ShortcutTarget shortcutTarget(const QString &registeredPath)
{
    if (registeredPath.isEmpty())
        return ShortcutTarget::Unregistered;
    return QFileInfo(registeredPath).isFile() ? ShortcutTarget::Ready : ShortcutTarget::FileMissing;
}

QString actNameOfModelFile(const QString &path, PathStyle style)
{
    return changeFileExt(extractFileName(path, style), QString(), style);
}

QString fallbackModelsFolder(const QString &imagePath, PathStyle style)
{
    return changeFileExt(imagePath, QString(), style);
}

QString modelsFolderOfChosenFile(const QString &path, PathStyle style)
{
    return extractFilePath(path, style);
}

QString openedModelCaption(const QString &modelsFolder, const QString &actName, PathStyle style)
{
    const QString folderName = extractFileName(excludeTrailingSeparator(modelsFolder, style), style);
    return QStringLiteral("%1@%2").arg(folderName.toUpper(), actName);
}

QString shortcutCaption(const QString &modelFile, const QString &actName, PathStyle style)
{
    return QStringLiteral("%1@%2").arg(extractFileName(modelFile, style).toUpper(), actName);
}

namespace {
FileDialogRequest actModelRequest(const QString &title, const QString &folder, const QString &fileName)
{
    FileDialogRequest request;
    request.title = title;
    request.folder = folder;
    request.fileName = fileName;
    request.filter = QStringLiteral("texte|*.txt|ini|*.ini|Tous |*.*");
    request.defaultSuffix = QStringLiteral("TXT");
    request.overwritePrompt = true;
    // A typed name of a file that is not there, in a folder that is, is
    // taken: the sheet then takes the defaults, and the name is still listed
    // and registered.
    request.pathMustExist = false;
    return request;
}
} // namespace

FileDialogRequest saveActModelRequest(const QString &modelsFolder, const QString &actName)
{
    return actModelRequest(QStringLiteral("Enregistrer le modèle d'acte sous ..."), modelsFolder,
                           proposedActModelFileName(actName));
}

QString proposedActModelFileName(const QString &actName, PathStyle style)
{
    // Both separators whatever the platform (the settings file may have
    // been written on the other one), and the drive's colon on Windows.
    qsizetype last = -1;
    for (qsizetype i = 0; i < actName.size(); ++i) {
        const QChar c = actName.at(i);
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || (style == PathStyle::Windows && c == QLatin1Char(':')))
            last = i;
    }
    const QString name = actName.mid(last + 1);
    if (name.trimmed().isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return QString();
    return name + QStringLiteral(".TXT");
}

FileDialogRequest openActModelRequest(const QString &modelsFolder, const QString &previousFileName)
{
    return actModelRequest(QStringLiteral("Choisir un Modèle d'Acte pour ce formulaire ..."), modelsFolder,
                           previousFileName);
}

QString unregisteredActMessage()
{
    return QStringLiteral("Cet acte n'est plus correctement défini dans  la base\r\n"
                          "Veuillez le resélectionner par le menu général \"ACTE/Choisir\" (CTRL+O)");
}

QString missingModelFileMessage(const QString &modelFile)
{
    return QStringLiteral("Le fichier du modèle d'acte \"%1\" est introuvable : la feuille n'a pas été modifiée.")
        .arg(modelFile);
}
