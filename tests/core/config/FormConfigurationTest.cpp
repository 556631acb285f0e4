// The form configuration as a value: what a reading gives with nothing, with
// stored and with malformed keys, what a writing leaves out, and a value
// written and read back. The bytes of a whole saving are checked against
// kept files by the window's test (tests/gui/app/ConfigTest.cpp).
#include "SupportFixture.h"

#include "config/FieldCatalogue.h"
#include "config/FormConfiguration.h"
#include "config/FormInUse.h"
#include "support/DataFolder.h"
#include "support/SettingsStore.h"

#include <QColor>
#include <functional>

namespace {

class FormConfigurationTest : public SupportTest
{
protected:
    QString folder() const { return dir.path() + QLatin1Char('/'); }
    QString configFile() const { return folder() + QStringLiteral("feuille@user1.INI"); }

    // A value with something of its own in every member.
    FormConfiguration filled() const
    {
        FormConfiguration c;
        c.imagePath = QStringLiteral("C:\\fs\\feuille.jpg");
        c.configPath = configFile();
        c.nom = QStringLiteral("MARTIN JEANNE");
        c.matricule = QStringLiteral("2 80 05");
        c.ddn = QStringLiteral("15/01/1980");
        c.adresse = QStringLiteral("3 RUE DES LILAS");
        c.modelsFolder = QStringLiteral("C:\\fs\\feuille\\");
        c.actName = QStringLiteral("ECHO");
        c.fieldsLocked = true;
        c.optionsWindow = OptionsWindowState{false, 120, 80};
        c.shortcutsShown = true;
        c.shortcuts = QStringList{QStringLiteral("CS"), QStringLiteral("ECHO")};
        c.cities = QStringList{QStringLiteral("LYON"), QStringLiteral("PARIS")};
        c.funds = QStringList{QStringLiteral("CPAM DE PARIS")};
        for (int i = 0; i < kActKeyCount; ++i)
            c.acts[i] = QStringLiteral("t%1").arg(i);
        c.panelX = 5, c.panelY = -4, c.panelWidth = 780, c.panelHeight = 1120;
        c.imageShown = false;
        c.textFont = FontLook{QStringLiteral("DejaVu Sans"), 14, true, false, true, false};
        c.bordered = false;
        c.threeD = true;
        for (int i = 0; i < kDateFieldCount; ++i)
            c.dates[i] = DatePlace{10 * i, 20 * i, 150 - i, QStringLiteral("0%1/01/2020").arg(i + 1)};
        c.noteShown = false;
        c.noteX = 50, c.noteY = 300, c.noteWidth = 400;
        c.noteText = QStringLiteral("Carte vitale oubliée");
        c.noteFont = FontLook{QStringLiteral("Verdana"), 20, false, true, false, true};
        c.noteColor = storedColor(QColor(200, 10, 20));
        c.noteAngle = 30;
        c.orienteShown = false;
        c.orienteX = 95, c.orienteY = 641;
        c.orienteText = QStringLiteral("orienté MT");
        c.fields = {FieldPlace{QStringLiteral("ACTE_4"), 300, 960, 50}, FieldPlace{QStringLiteral("NOM"), 200, 90, 500},
                    FieldPlace{QStringLiteral("NOUVEAU_1"), 40, 50, 160},
                    FieldPlace{QStringLiteral("NOUVEAU_2"), 60, 70, 180}};
        c.addedFields = {c.fields.at(3)};
        return c;
    }

    // Every member that the reading reads, changed.
    static FormConfiguration scrambled(FormConfiguration c)
    {
        c.nom += QLatin1Char('?'), c.matricule += QLatin1Char('?'), c.ddn += QLatin1Char('?');
        c.adresse += QLatin1Char('?');
        c.cities.reset();
        c.funds.reset();
        for (QString &act : c.acts)
            act += QLatin1Char('?');
        c.panelX += 1, c.panelY += 1, c.panelWidth += 1, c.panelHeight += 1;
        c.textFont = FontLook{QStringLiteral("?"), 1, false, true, false, true};
        c.bordered = !c.bordered, c.threeD = !c.threeD;
        for (DatePlace &date : c.dates)
            date = DatePlace{date.x + 1, date.y + 1, date.z + 1, QStringLiteral("?")};
        c.noteShown = !c.noteShown, c.noteX += 1, c.noteY += 1, c.noteWidth += 1, c.noteText += QLatin1Char('?');
        c.noteFont = FontLook{QStringLiteral("?"), 1, true, false, true, false};
        c.noteColor += 1, c.noteAngle += 1;
        c.orienteShown = !c.orienteShown, c.orienteX += 1, c.orienteY += 1, c.orienteText += QLatin1Char('?');
        for (FieldPlace &field : c.fields)
            field = FieldPlace{field.name, field.x + 1, field.y + 1, field.z + 1};
        c.addedFields.clear();
        return c;
    }
};

// A member of the value as text, to compare in tables.
using Member = std::function<QString(const FormConfiguration &)>;
QString num(int value)
{
    return QString::number(value);
}
QString yes(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}
QString look(const FontLook &f)
{
    return QStringLiteral("%1/%2/%3%4%5%6").arg(f.family).arg(f.size).arg(yes(f.bold), yes(f.italic), yes(f.underline),
                                                                           yes(f.strikeOut));
}

TEST_F(FormConfigurationTest, NothingStoredGivesEachKeysDefaultOrTheCurrentValue)
{
    const FormConfiguration current = filled();
    const FormConfiguration read = readFormConfiguration(current, folder());
    struct Case
    {
        const char *what;
        Member member;
        QString expected;
    };
    const Case cases[] = {
        // Defaults of their own.
        {"NOM", [](auto &c) { return c.nom; }, samplePatientName()},
        {"MATRICULE", [](auto &c) { return c.matricule; }, QString()},
        {"ADRESSE", [](auto &c) { return c.adresse; }, QString()},
        {"acts", [](auto &c) { return QStringList(c.acts.begin(), c.acts.end()).join(QLatin1Char('|')); },
         QStringLiteral("|||||||||||X||X||||")},
        {"TEXTES styles", [](auto &c) { return look(c.textFont).right(4); }, QStringLiteral("0000")},
        {"ENCADRE, 3D", [](auto &c) -> QString { return yes(c.bordered) + yes(c.threeD); }, QStringLiteral("10")},
        {"NOTE shown, BOLD", [](auto &c) -> QString { return yes(c.noteShown) + yes(c.noteFont.bold); }, QStringLiteral("11")},
        {"NOTE other styles", [](auto &c) -> QString { return look(c.noteFont).right(3); }, QStringLiteral("000")},
        {"NOTE ANGLE", [](auto &c) -> QString { return num(c.noteAngle); }, QStringLiteral("0")},
        {"oriente shown", [](auto &c) -> QString { return yes(c.orienteShown); }, QStringLiteral("1")},
        {"lists", [](auto &c) -> QString { return yes(c.cities.has_value()) + yes(c.funds.has_value()); }, QStringLiteral("00")},
        {"added", [](auto &c) -> QString { return num(c.addedFields.size()); }, QStringLiteral("0")},
        // The current values: the size and name of the fields' font are
        // those of NOM now, for every field alike.
        {"TEXTES font", [](auto &c) -> QString { return c.textFont.family + QLatin1Char('/') + num(c.textFont.size); },
         QStringLiteral("DejaVu Sans/14")},
        {"IMAGE", [](auto &c) -> QString { return QStringLiteral("%1 %2 %3 %4").arg(c.panelX).arg(c.panelY).arg(c.panelWidth).arg(c.panelHeight); },
         QStringLiteral("5 -4 780 1120")},
        {"NOM place", [](auto &c) -> QString { return QStringLiteral("%1 %2 %3").arg(c.fields.at(1).x).arg(c.fields.at(1).y).arg(c.fields.at(1).z); },
         QStringLiteral("200 90 500")},
        {"DDG", [](auto &c) -> QString { return QStringLiteral("%1 %2 %3 %4").arg(c.dates[3].x).arg(c.dates[3].y).arg(c.dates[3].z).arg(c.dates[3].text); },
         QStringLiteral("30 60 147 04/01/2020")},
        {"NOTE", [](auto &c) -> QString { return QStringLiteral("%1 %2 %3 %4 %5/%6 %7").arg(c.noteX).arg(c.noteY).arg(c.noteWidth).arg(c.noteText, c.noteFont.family).arg(c.noteFont.size).arg(c.noteColor); },
         QStringLiteral("50 300 400 Carte vitale oubliée Verdana/20 1313480")},
        {"oriente", [](auto &c) -> QString { return QStringLiteral("%1 %2 %3").arg(c.orienteX).arg(c.orienteY).arg(c.orienteText); },
         QStringLiteral("95 641 orienté MT")},
        // Not read here: kept.
        {"not read", [](auto &c) -> QString { return c.imagePath + c.actName + yes(c.imageShown) + yes(c.fieldsLocked) + num(c.optionsWindow->x) + yes(*c.shortcutsShown) + num(c.shortcuts->size()); },
         QStringLiteral("C:\\fs\\feuille.jpgECHO0112012")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.member(read), c.expected) << c.what;
}

TEST_F(FormConfigurationTest, StoredKeysAreReadAndMalformedNumbersKeepTheDefault)
{
    struct Case
    {
        const char *section, *key, *stored;
        Member member;
        QString expected;
    };
    const Case cases[] = {
        {"IMAGE", "X", "12", [](auto &c) { return num(c.panelX); }, QStringLiteral("12")},
        {"IMAGE", "X", "douze", [](auto &c) { return num(c.panelX); }, QStringLiteral("5")},
        {"IMAGE", "W", "0x20", [](auto &c) { return num(c.panelWidth); }, QStringLiteral("32")},
        {"NOM", "X", "", [](auto &c) { return num(c.fields.at(1).x); }, QStringLiteral("200")},
        {"NOM", "Z", "7", [](auto &c) { return num(c.fields.at(1).z); }, QStringLiteral("7")},
        {"TEXTES", "SIZE", "11", [](auto &c) { return num(c.textFont.size); }, QStringLiteral("11")},
        {"TEXTES", "SIZE", "onze", [](auto &c) { return num(c.textFont.size); }, QStringLiteral("14")},
        {"TEXTES", "FONT", "Arial", [](auto &c) { return c.textFont.family; }, QStringLiteral("Arial")},
        {"TEXTES", "ENCADRE", "0", [](auto &c) { return yes(c.bordered); }, QStringLiteral("0")},
        {"TEXTES", "ENCADRE", "non", [](auto &c) { return yes(c.bordered); }, QStringLiteral("1")},
        {"TEXTES", "ITALIC", "2", [](auto &c) { return yes(c.textFont.italic); }, QStringLiteral("1")},
        {"NOTE", "BOLD", "0", [](auto &c) { return yes(c.noteFont.bold); }, QStringLiteral("0")},
        {"NOTE", "ANGLE", "x", [](auto &c) { return num(c.noteAngle); }, QStringLiteral("0")},
        {"NOTE", "COLOR", "-16777201", [](auto &c) { return num(c.noteColor); }, QStringLiteral("-16777201")},
        // Read under another letter case: the same section.
        {"ORIENTE", "TEXTE", "orienté", [](auto &c) { return c.orienteText; }, QStringLiteral("orienté")},
        {"DDG", "TEXTE", "01/05/2026", [](auto &c) { return c.dates[3].text; }, QStringLiteral("01/05/2026")},
        {"COCHES", "COCHE_ACCES", "", [](auto &c) { return c.acts[13]; }, QString()},
        {"TARIFS", "TOTAL", "99,99", [](auto &c) { return c.acts[10]; }, QStringLiteral("99,99")},
    };
    for (const Case &c : cases) {
        QFile::remove(configFile());
        writeSetting(QString::fromLatin1(c.section), QString::fromLatin1(c.key), QString::fromUtf8(c.stored),
                        configFile());
        EXPECT_EQ(c.member(readFormConfiguration(filled(), folder())), c.expected)
            << c.section << "/" << c.key << "=" << c.stored;
    }
}

TEST_F(FormConfigurationTest, TheListOfAddedFieldsEndsAtItsFirstMissingEntry)
{
    struct Case
    {
        const char *count;
        QStringList entries;   // "1", "2", ...; a null string leaves the key out
        QStringList expected;  // the names and places read
    };
    const Case cases[] = {
        {"5", {QStringLiteral("A"), QStringLiteral("B"), QString(), QStringLiteral("D")},
         {QStringLiteral("A 11 22 33"), QStringLiteral("B 100 100 100")}},
        {"3", {QStringLiteral("A"), QStringLiteral(""), QStringLiteral("C")}, {QStringLiteral("A 11 22 33")}},
        {"1", {QStringLiteral("A"), QStringLiteral("B")}, {QStringLiteral("A 11 22 33")}},
        {"0", {QStringLiteral("A")}, {}},
        {"deux", {QStringLiteral("A")}, {}},
    };
    for (const Case &c : cases) {
        QFile::remove(configFile());
        writeSetting(QStringLiteral("NOUVEAUX"), QStringLiteral("N"), QString::fromLatin1(c.count), configFile());
        for (int i = 0; i < c.entries.size(); ++i)
            if (!c.entries.at(i).isNull())
                writeSetting(QStringLiteral("NOUVEAUX"), QString::number(i + 1), c.entries.at(i), configFile());
        writeIntegerSetting(QStringLiteral("A"), QStringLiteral("X"), 11, configFile());
        writeIntegerSetting(QStringLiteral("A"), QStringLiteral("Y"), 22, configFile());
        writeIntegerSetting(QStringLiteral("A"), QStringLiteral("Z"), 33, configFile());
        QStringList read;
        for (const FieldPlace &added : readFormConfiguration(filled(), folder()).addedFields)
            read << QStringLiteral("%1 %2 %3 %4").arg(added.name).arg(added.x).arg(added.y).arg(added.z);
        EXPECT_EQ(read, c.expected) << "N=" << c.count;
    }
}

TEST_F(FormConfigurationTest, WhatIsMissingAtSavingIsNotWritten)
{
    // No side windows: none of their keys, no shortcuts file. No added field
    // holding text: the earlier list stays, entries beyond it too.
    writeIntegerSetting(QStringLiteral("NOUVEAUX"), QStringLiteral("N"), 3, configFile());
    writeSetting(QStringLiteral("NOUVEAUX"), QStringLiteral("3"), QStringLiteral("NOUVEAU_9"), configFile());
    FormConfiguration c = filled();
    c.optionsWindow.reset();
    c.shortcutsShown.reset();
    c.shortcuts.reset();
    c.addedFields.clear();
    writeFormConfiguration(c, folder());
    EXPECT_EQ(readSetting(QStringLiteral("OPTIONS"), QStringLiteral("AFFICHE"), QStringLiteral("-")), QStringLiteral("-"));
    EXPECT_EQ(readSetting(QStringLiteral("HISTORIQUE"), QStringLiteral("AFFICHE"), QStringLiteral("-")), QStringLiteral("-"));
    EXPECT_EQ(readSetting(QStringLiteral("OPTIONS"), QStringLiteral("TAMPON"), QStringLiteral("-")), QStringLiteral("0"));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("HISTORIQUE.TXT"))));
    EXPECT_EQ(readIntegerSetting(QStringLiteral("NOUVEAUX"), QStringLiteral("N"), 0, configFile()), 3);

    // Both added fields listed in window order, from 1; the third entry stays.
    c.addedFields = {c.fields.at(3), c.fields.at(2)};
    writeFormConfiguration(c, folder());
    QStringList listed;
    for (const char *key : {"N", "1", "2", "3"})
        listed << readSetting(QStringLiteral("NOUVEAUX"), QString::fromLatin1(key), QString(), configFile());
    EXPECT_EQ(listed, (QStringList{QStringLiteral("2"), QStringLiteral("NOUVEAU_1"), QStringLiteral("NOUVEAU_2"),
                                   QStringLiteral("NOUVEAU_9")}));
}

TEST_F(FormConfigurationTest, AValueWrittenAndReadBackIsWrittenAgainUnchanged)
{
    const FormConfiguration written = filled();
    writeFormConfiguration(written, folder());
    const QByteArray config = fileBytes(configFile());
    const QByteArray settings = fileBytes(programSettingsFile());
    ASSERT_FALSE(config.isEmpty());

    const FormConfiguration read = readFormConfiguration(scrambled(written), folder());
    ASSERT_EQ(read.addedFields.size(), 1);
    EXPECT_EQ(read.addedFields.at(0).name, QStringLiteral("NOUVEAU_2"));
    EXPECT_EQ(read.addedFields.at(0).z, 180);
    writeFormConfiguration(read, folder());
    EXPECT_EQ(fileBytes(configFile()), config);
    EXPECT_EQ(fileBytes(programSettingsFile()), settings);
}

TEST_F(FormConfigurationTest, ColoursAreStoredRedInTheLowByteAndSystemColoursReadAsTheFallback)
{
    struct Case
    {
        QColor color;
        int stored;
    };
    const Case cases[] = {{QColor(0, 0, 0), 0}, {QColor(200, 10, 20), 200 | 10 << 8 | 20 << 16},
                          {QColor(255, 255, 255), 0xFFFFFF}, {QColor(0, 0, 255), 0xFF0000}};
    for (const Case &c : cases) {
        EXPECT_EQ(storedColor(c.color), c.stored) << c.stored;
        EXPECT_EQ(colorFromStored(c.stored, Qt::green), c.color) << c.stored;
    }
    EXPECT_EQ(colorFromStored(-16777201, Qt::green), QColor(Qt::green));
}

} // namespace

// The form image named in the program settings: a bare name lies in the
// program folder; on Windows a stored path takes either separator and any
// letter case, and a drive names a path of its own.
TEST(FormImagePath, AStoredPathIsTakenAsTheSystemNamesFiles)
{
    const struct
    {
        PathStyle style;
        const char *stored, *folder, *path;
    } cases[] = {
        {PathStyle::Windows, "feuille.jpg", "c:\\cabinet\\", "c:\\cabinet\\feuille.jpg"},
        {PathStyle::Windows, "D:\\Formes\\Feuille.JPG", "c:\\cabinet\\", "d:\\formes\\feuille.jpg"},
        {PathStyle::Windows, "D:/Formes/Feuille.jpg", "c:\\cabinet\\", "d:\\formes\\feuille.jpg"},
        {PathStyle::Windows, "\\\\SERVEUR\\Formes\\feuille.jpg", "c:\\cabinet\\", "\\\\serveur\\formes\\feuille.jpg"},
        {PathStyle::Windows, "D:feuille.jpg", "c:\\cabinet\\", "d:feuille.jpg"},
        {PathStyle::Posix, "feuille.jpg", "/srv/cabinet/", "/srv/cabinet/feuille.jpg"},
        {PathStyle::Posix, "/srv/Formes/Feuille.jpg", "/srv/cabinet/", "/srv/Formes/Feuille.jpg"},
        {PathStyle::Posix, "C:\\Formes\\feuille.jpg", "/srv/cabinet/", "/srv/cabinet/C:\\Formes\\feuille.jpg"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(imagePathFromSettings(QString::fromUtf8(c.stored), QString::fromUtf8(c.folder), c.style),
                  QString::fromUtf8(c.path))
            << c.stored;
}

namespace {

// The messages name the fields as a user knows them, by their hints, or by
// the words the form prints beside them where the hint is none or the claim
// boxes' instruction; each by a name of its own.
TEST(FieldLabels, EveryFieldIsNamedAsTheUserKnowsIt)
{
    struct Case
    {
        const char *name;
        const char *label;
    };
    const Case cases[] = {
        {"TARIF_1", "Tarif1"},
        {"DATE_ACTE", "Date de l'acte"},
        {"NOTE", "Tampon"},
        {"DDN", "Date de naissance"},
        {"COCHE_ALD_1", "ALD : oui"},
        {"NOUVEAU_3", "NOUVEAU_3"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(fieldLabel(QString::fromLatin1(c.name)), QString::fromUtf8(c.label)) << c.name;

    QStringList labels;
    for (const FieldDesign &field : fieldCatalogue()) {
        const QString label = fieldLabel(QString::fromLatin1(field.name));
        EXPECT_FALSE(label.isEmpty()) << field.name;
        EXPECT_NE(label, QStringLiteral("Appuyer sur BARRE ESPACE")) << field.name;
        EXPECT_FALSE(labels.contains(label)) << field.name;
        labels << label;
    }
}

} // namespace
