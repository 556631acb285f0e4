#include "FormConfiguration.h"

#include "config/FieldCatalogue.h"
#include "config/ProgramSettings.h"
#include "support/IniFile.h"
#include "support/TextFile.h"
#include "support/DataFolder.h"
#include "support/SettingsStore.h"

#include <QColor>
#include <QFont>
#include <QVariant>
#include <functional>
#include <vector>

namespace {

enum class Store {
    Settings,   // the program settings file
    Form,       // the form configuration file
    SideFile,   // a line file in the program folder, named by the section
};

using Config = FormConfiguration;

// One key of the table. Exactly one of the references reaches the member
// the key holds.
struct Key
{
    Store store = Store::Form;
    QString section;
    QString key;   // empty under ACTE: the key is the models folder
    std::function<QString &(Config &)> text;
    std::function<int &(Config &)> number;
    std::function<bool &(Config &)> flag;
    std::function<std::optional<QStringList> &(Config &)> lines;
    QVariant def;            // none: the current value
    bool readHere = true;    // false: written here, read elsewhere or never
    std::function<bool(const Config &)> present;   // none: always written
};

Key textKey(Store store, const char *section, const char *key, std::function<QString &(Config &)> ref,
            QVariant def = QVariant())
{
    Key k;
    k.store = store;
    k.section = QString::fromLatin1(section);
    k.key = QString::fromLatin1(key);
    k.text = std::move(ref);
    k.def = std::move(def);
    return k;
}

Key numberKey(Store store, const char *section, const char *key, std::function<int &(Config &)> ref,
              QVariant def = QVariant())
{
    Key k;
    k.store = store;
    k.section = QString::fromLatin1(section);
    k.key = QString::fromLatin1(key);
    k.number = std::move(ref);
    k.def = std::move(def);
    return k;
}

Key flagKey(Store store, const char *section, const char *key, std::function<bool &(Config &)> ref,
            QVariant def = QVariant())
{
    Key k;
    k.store = store;
    k.section = QString::fromLatin1(section);
    k.key = QString::fromLatin1(key);
    k.flag = std::move(ref);
    k.def = std::move(def);
    return k;
}

Key linesKey(SideFile file, std::function<std::optional<QStringList> &(Config &)> ref)
{
    Key k;
    k.store = Store::SideFile;
    k.section = sideFileName(file);
    k.lines = std::move(ref);
    return k;
}

// A key of the program settings file, as its table spells it, with the
// table's default.
Key setting(Setting which, Key k)
{
    const SettingKey stored = settingKey(which);
    k.store = Store::Settings;
    k.section = stored.section;
    k.key = stored.key;
    if (k.text)
        k.def = stored.def;
    else if (k.number)
        k.def = stored.def.toInt();
    else
        k.def = stored.def.toInt() != 0;
    return k;
}

Key textSetting(Setting which, std::function<QString &(Config &)> ref)
{
    Key k;
    k.text = std::move(ref);
    return setting(which, std::move(k));
}

Key numberSetting(Setting which, std::function<int &(Config &)> ref)
{
    Key k;
    k.number = std::move(ref);
    return setting(which, std::move(k));
}

Key flagSetting(Setting which, std::function<bool &(Config &)> ref)
{
    Key k;
    k.flag = std::move(ref);
    return setting(which, std::move(k));
}

Key notReadHere(Key k)
{
    k.readHere = false;
    return k;
}

Key writtenWhen(std::function<bool(const Config &)> present, Key k)
{
    k.present = std::move(present);
    return k;
}

// The styles of a font, as yes/no keys.
void addStyleKeys(std::vector<Key> &keys, const char *section, std::function<FontLook &(Config &)> font,
                  bool boldDefault)
{
    keys.push_back(flagKey(Store::Form, section, "BOLD", [font](Config &c) -> bool & { return font(c).bold; },
                           boldDefault));
    keys.push_back(flagKey(Store::Form, section, "ITALIC", [font](Config &c) -> bool & { return font(c).italic; },
                           false));
    keys.push_back(flagKey(Store::Form, section, "UNDERLINE",
                           [font](Config &c) -> bool & { return font(c).underline; }, false));
    keys.push_back(flagKey(Store::Form, section, "STRIKEOUT",
                           [font](Config &c) -> bool & { return font(c).strikeOut; }, false));
}

// Every key but the sections of the plain text fields, which come last, in
// the order the saving writes them.
std::vector<Key> buildKeys()
{
    std::vector<Key> keys;
    const Store form = Store::Form;

    // The form image and its configuration, the identity, the act in use
    // (its key is the models folder).
    keys.push_back(notReadHere(textSetting(Setting::FormImage, [](Config &c) -> QString & { return c.imagePath; })));
    keys.push_back(notReadHere(textSetting(Setting::FormConfiguration, [](Config &c) -> QString & { return c.configPath; })));
    keys.push_back(textSetting(Setting::PatientName, [](Config &c) -> QString & { return c.nom; }));
    keys.push_back(textSetting(Setting::PatientNumber, [](Config &c) -> QString & { return c.matricule; }));
    keys.push_back(textSetting(Setting::PatientBirthDate, [](Config &c) -> QString & { return c.ddn; }));
    keys.push_back(textSetting(Setting::PatientAddress, [](Config &c) -> QString & { return c.adresse; }));
    Key actInUse;
    actInUse.store = Store::Settings;
    actInUse.section = settingSection(SettingGroup::ActInUse);
    actInUse.text = [](Config &c) -> QString & { return c.actName; };
    keys.push_back(notReadHere(actInUse));

    // The act shortcuts list, read when the window is first shown.
    keys.push_back(notReadHere(writtenWhen([](const Config &c) { return c.shortcuts.has_value(); },
                                           linesKey(SideFile::Shortcuts, [](Config &c) -> std::optional<QStringList> & {
                                               return c.shortcuts;
                                           }))));

    // The acts, codes, tariffs, total and boxes.
    for (int i = 0; i < kActKeyCount; ++i) {
        const ActKey &act = actKeys()[i];
        keys.push_back(textKey(form, act.section, act.key, [i](Config &c) -> QString & { return c.acts[i]; },
                               QString::fromLatin1(act.def)));
    }

    // The side windows, the lock and the stamp's visibility, read when the
    // window is first shown.
    keys.push_back(notReadHere(flagSetting(Setting::FieldsLocked, [](Config &c) -> bool & { return c.fieldsLocked; })));
    const auto withOptions = [](const Config &c) { return c.optionsWindow.has_value(); };
    keys.push_back(notReadHere(writtenWhen(
        withOptions, flagSetting(Setting::PresentationShown, [](Config &c) -> bool & { return c.optionsWindow->shown; }))));
    keys.push_back(notReadHere(writtenWhen(
        withOptions, numberSetting(Setting::PresentationLeft, [](Config &c) -> int & { return c.optionsWindow->x; }))));
    keys.push_back(notReadHere(writtenWhen(
        withOptions, numberSetting(Setting::PresentationTop, [](Config &c) -> int & { return c.optionsWindow->y; }))));
    keys.push_back(notReadHere(flagSetting(Setting::StampShown, [](Config &c) -> bool & { return c.noteShown; })));
    keys.push_back(notReadHere(writtenWhen([](const Config &c) { return c.shortcutsShown.has_value(); },
                                           flagSetting(Setting::ShortcutsShown,
                                                       [](Config &c) -> bool & { return *c.shortcutsShown; }))));

    // The image panel; the reading always shows the image.
    keys.push_back(numberKey(form, "IMAGE", "X", [](Config &c) -> int & { return c.panelX; }));
    keys.push_back(numberKey(form, "IMAGE", "Y", [](Config &c) -> int & { return c.panelY; }));
    keys.push_back(numberKey(form, "IMAGE", "W", [](Config &c) -> int & { return c.panelWidth; }));
    keys.push_back(numberKey(form, "IMAGE", "H", [](Config &c) -> int & { return c.panelHeight; }));
    keys.push_back(notReadHere(flagKey(form, "IMAGE", "VISIBLE", [](Config &c) -> bool & { return c.imageShown; })));

    // The font and look of the plain text fields.
    addStyleKeys(keys, "TEXTES", [](Config &c) -> FontLook & { return c.textFont; }, false);
    keys.push_back(numberKey(form, "TEXTES", "SIZE", [](Config &c) -> int & { return c.textFont.size; }));
    keys.push_back(textKey(form, "TEXTES", "FONT", [](Config &c) -> QString & { return c.textFont.family; }));
    keys.push_back(flagKey(form, "TEXTES", "ENCADRE", [](Config &c) -> bool & { return c.bordered; }, true));
    keys.push_back(flagKey(form, "TEXTES", "3D", [](Config &c) -> bool & { return c.threeD; }, false));

    // The date fields, each in its own section.
    for (int i = 0; i < kDateFieldCount; ++i) {
        const QByteArray section = dateFieldNames()[i].toLatin1();
        keys.push_back(numberKey(form, section.constData(), "X", [i](Config &c) -> int & { return c.dates[i].x; }));
        keys.push_back(numberKey(form, section.constData(), "Y", [i](Config &c) -> int & { return c.dates[i].y; }));
        keys.push_back(numberKey(form, section.constData(), "Z", [i](Config &c) -> int & { return c.dates[i].z; }));
        keys.push_back(
            textKey(form, section.constData(), "TEXTE", [i](Config &c) -> QString & { return c.dates[i].text; }));
    }

    // The pick lists.
    keys.push_back(linesKey(SideFile::Towns, [](Config &c) -> std::optional<QStringList> & { return c.cities; }));
    keys.push_back(linesKey(SideFile::Funds, [](Config &c) -> std::optional<QStringList> & { return c.funds; }));

    // The stamp.
    keys.push_back(flagKey(form, "NOTE", "VISIBLE", [](Config &c) -> bool & { return c.noteShown; }, true));
    keys.push_back(numberKey(form, "NOTE", "X", [](Config &c) -> int & { return c.noteX; }));
    keys.push_back(numberKey(form, "NOTE", "Y", [](Config &c) -> int & { return c.noteY; }));
    keys.push_back(numberKey(form, "NOTE", "Z", [](Config &c) -> int & { return c.noteWidth; }));
    keys.push_back(textKey(form, "NOTE", "TEXTE", [](Config &c) -> QString & { return c.noteText; }));
    addStyleKeys(keys, "NOTE", [](Config &c) -> FontLook & { return c.noteFont; }, true);
    keys.push_back(numberKey(form, "NOTE", "SIZE", [](Config &c) -> int & { return c.noteFont.size; }));
    keys.push_back(textKey(form, "NOTE", "FONT", [](Config &c) -> QString & { return c.noteFont.family; }));
    keys.push_back(numberKey(form, "NOTE", "COLOR", [](Config &c) -> int & { return c.noteColor; }));
    keys.push_back(numberKey(form, "NOTE", "ANGLE", [](Config &c) -> int & { return c.noteAngle; }, 0));

    // The label "orienté" (the section is written in this letter case).
    keys.push_back(flagKey(form, "oriente", "VISIBLE", [](Config &c) -> bool & { return c.orienteShown; }, true));
    keys.push_back(numberKey(form, "oriente", "X", [](Config &c) -> int & { return c.orienteX; }));
    keys.push_back(numberKey(form, "oriente", "Y", [](Config &c) -> int & { return c.orienteY; }));
    keys.push_back(textKey(form, "oriente", "TEXTE", [](Config &c) -> QString & { return c.orienteText; }));
    return keys;
}

const std::vector<Key> &configurationKeys()
{
    static const std::vector<Key> keys = buildKeys();
    return keys;
}

QString fileOf(const Key &key, const Config &config, const QString &programFolder)
{
    switch (key.store) {
    case Store::Settings:
        return QString();
    case Store::Form:
        return config.configPath;
    case Store::SideFile:
        return programFolder + key.section;
    }
    return QString();
}

QString keyOf(const Key &key, const Config &config)
{
    return key.key.isEmpty() ? config.modelsFolder : key.key;
}

const QString kAdded = QStringLiteral("NOUVEAUX");
const QString kX = QStringLiteral("X");
const QString kY = QStringLiteral("Y");
const QString kZ = QStringLiteral("Z");

bool isListed(const Config &config, const QString &name)
{
    for (const FieldPlace &added : config.addedFields)
        if (added.name == name)
            return true;
    return false;
}

} // namespace

FontLook fontLookOf(const QFont &font)
{
    FontLook look;
    look.family = font.family();
    look.size = font.pointSize();
    look.bold = font.bold();
    look.italic = font.italic();
    look.underline = font.underline();
    look.strikeOut = font.strikeOut();
    return look;
}

const std::array<QString, kDateFieldCount> &dateFieldNames()
{
    static const std::array<QString, kDateFieldCount> names = {
        QStringLiteral("DATE"), QStringLiteral("DATE_ACTE"), QStringLiteral("DDN"), QStringLiteral("DDG")};
    return names;
}

const std::array<ActKey, kActKeyCount> &actKeys()
{
    static const std::array<ActKey, kActKeyCount> keys = {{
        {"ACTES", "ACTE_1", "ACTE_1", ""},
        {"ACTES", "ACTE_2", "ACTE_2", ""},
        {"ACTES", "ACTE_3", "ACTE_3", ""},
        {"ACTES", "ACTE_4", "ACTE_4", ""},
        {"ACTES", "CCAM_1", "CCAM_1", ""},
        {"ACTES", "CCAM_2", "CCAM_2", ""},
        {"TARIFS", "TARIF_1", "TARIF_1", ""},
        {"TARIFS", "TARIF_2", "TARIF_2", ""},
        {"TARIFS", "TARIF_3", "TARIF_3", ""},
        {"TARIFS", "TARIF_4", "TARIF_4", ""},
        {"TARIFS", "TOTAL", "MONTANT_TOTAL", ""},
        {"COCHES", "COCHE_MALADIE", "COCHE_MALADIE", "X"},
        {"COCHES", "COCHE_MATERNITE", "COCHE_MATERNITE", ""},
        {"COCHES", "COCHE_ACCES", "COCHE_ACCES", "X"},
        {"COCHES", "COCHE_NP_COMP", "COCHE_NP_COMP", ""},
        {"COCHES", "COCHE_NP_OBLIGAT", "COCHE_NP_OBLIGAT", ""},
        {"COCHES", "COCHE_ALD_0", "COCHE_ALD_0", ""},
        {"COCHES", "COCHE_ALD_1", "COCHE_ALD_1", ""},
    }};
    return keys;
}

FormConfiguration readFormConfiguration(const FormConfiguration &current, const QString &programFolder)
{
    Config config = current;
    // Each file read and parsed once for all its keys.
    IniSession session;
    for (const Key &key : configurationKeys()) {
        if (!key.readHere)
            continue;
        const QString file = fileOf(key, config, programFolder);
        const QString name = keyOf(key, config);
        if (key.text) {
            QString &value = key.text(config);
            value = readSetting(key.section, name, key.def.isValid() ? key.def.toString() : value, file);
        } else if (key.number) {
            int &value = key.number(config);
            value = readIntegerSetting(key.section, name, key.def.isValid() ? key.def.toInt() : value, file);
        } else if (key.flag) {
            bool &value = key.flag(config);
            value = readBoolSetting(key.section, name, key.def.isValid() ? key.def.toBool() : value, file);
        } else if (key.lines) {
            bool exists = false;
            const QStringList lines = readLineFile(file, &exists);
            key.lines(config) = exists ? std::optional<QStringList>(lines) : std::nullopt;
        }
    }

    // The sections of the plain text fields, then the added fields listed;
    // the list ends at its first empty entry, and a listed name only locates
    // the place keys (100 each when missing).
    const QString &file = config.configPath;
    for (FieldPlace &field : config.fields) {
        field.x = readIntegerSetting(field.name, kX, field.x, file);
        field.y = readIntegerSetting(field.name, kY, field.y, file);
        field.z = readIntegerSetting(field.name, kZ, field.z, file);
    }
    config.addedFields.clear();
    const int count = readIntegerSetting(kAdded, QStringLiteral("N"), 0, file);
    for (int i = 1; i <= count; ++i) {
        FieldPlace added;
        added.name = readSetting(kAdded, QString::number(i), QString(), file);
        if (added.name.isEmpty())
            break;
        added.x = readIntegerSetting(added.name, kX, 100, file);
        added.y = readIntegerSetting(added.name, kY, 100, file);
        added.z = readIntegerSetting(added.name, kZ, 100, file);
        config.addedFields << added;
    }
    return config;
}

void writeFormConfiguration(const FormConfiguration &value, const QString &programFolder)
{
    // The references of the table reach into a value they may change; the
    // writing only reads through them.
    Config config = value;
    // Each file replaced once, whole, with every key written: a saving cut
    // short leaves it as it was.
    IniSession session;
    for (const Key &key : configurationKeys()) {
        if (key.present && !key.present(config))
            continue;
        const QString file = fileOf(key, config, programFolder);
        const QString name = keyOf(key, config);
        if (key.text)
            writeSetting(key.section, name, key.text(config), file);
        else if (key.number)
            writeIntegerSetting(key.section, name, key.number(config), file);
        else if (key.flag)
            writeBoolSetting(key.section, name, key.flag(config), file);
        else if (key.lines && key.lines(config))
            writeLineFile(file, *key.lines(config));
    }

    // The added fields listed again from 1 as the fields come in window
    // order, each just before its place; then every field's place. When no
    // added field is listed the section NOUVEAUX keeps what it held.
    const QString &file = config.configPath;
    int count = 0;
    for (const FieldPlace &field : config.fields) {
        if (isListed(config, field.name)) {
            ++count;
            writeIntegerSetting(kAdded, QStringLiteral("N"), count, file);
            writeSetting(kAdded, QString::number(count), field.name, file);
        }
        writeIntegerSetting(field.name, kX, field.x, file);
        writeIntegerSetting(field.name, kY, field.y, file);
        writeIntegerSetting(field.name, kZ, field.z, file);
    }
    session.writeFiles();
}

int storedColor(const QColor &color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

QColor colorFromStored(int value, const QColor &fallback)
{
    if (value < 0)
        return fallback;
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}
