// The form configuration: one file per form image and user, beside the
// image, with the layout and look of the fields and the last acts; plus a
// few keys of the program settings and the side files of the lists.
#include "Unit1.h"

#include "config/FieldCatalogue.h"
#include "widgets/ImagePanel.h"
#include "widgets/SheetEdit.h"
#include "variables_globales.h"
#include "windows/unit_HISTORIQUE.h"
#include "widgets/DateEdit.h"
#include "widgets/FormImage.h"
#include "print/JpegCodec.h"
#include "widgets/StampLabel.h"
#include "windows/unit_options.h"
#include "support/Dialogs.h"
#include "support/Platform.h"
#include "support/TextFile.h"
#include "support/TiravonError.h"
#include "widgets/tq32_LISTES.h"
#include "support/tq32_ini.h"
#include "widgets/FormPlacement.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>

namespace {

const QString kDefaultImageName = QStringLiteral("feuille_de_soin_medecin.jpg");

// The colour as the configuration stores it: red in the low byte, then
// green, then blue; the system colours are negative numbers.
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

// The font styles stored as yes/no keys; a "no" read removes nothing.
void addStoredStyles(QFont &font, const QString &section, const QString &file, bool boldDefault)
{
    if (INI_ReadBool(section, QStringLiteral("BOLD"), boldDefault, file))
        font.setBold(true);
    if (INI_ReadBool(section, QStringLiteral("ITALIC"), false, file))
        font.setItalic(true);
    if (INI_ReadBool(section, QStringLiteral("UNDERLINE"), false, file))
        font.setUnderline(true);
    if (INI_ReadBool(section, QStringLiteral("STRIKEOUT"), false, file))
        font.setStrikeOut(true);
}

void writeStyles(const QFont &font, const QString &section, const QString &file)
{
    INI_WriteBool(section, QStringLiteral("BOLD"), font.bold(), file);
    INI_WriteBool(section, QStringLiteral("ITALIC"), font.italic(), file);
    INI_WriteBool(section, QStringLiteral("UNDERLINE"), font.underline(), file);
    INI_WriteBool(section, QStringLiteral("STRIKEOUT"), font.strikeOut(), file);
}

int readInt(const QString &section, const char *key, int current, const QString &file)
{
    return INI_ReadInteger(section, QString::fromLatin1(key), current, file);
}

void writeInt(const QString &section, const char *key, int value, const QString &file)
{
    INI_WriteInteger(section, QString::fromLatin1(key), value, file);
}

struct TextKey
{
    const char *section;
    const char *key;
    SheetEdit *TForm1::*field;
    const char *def;
};

// The acts, tariffs, total and claim boxes, in the order they are read:
// each box's rule runs before the next key is read.
const TextKey kActTexts[] = {
    {"ACTES", "ACTE_1", &TForm1::ACTE_1, ""},
    {"ACTES", "ACTE_2", &TForm1::ACTE_2, ""},
    {"ACTES", "ACTE_3", &TForm1::ACTE_3, ""},
    {"ACTES", "ACTE_4", &TForm1::ACTE_4, ""},
    {"ACTES", "CCAM_1", &TForm1::CCAM_1, ""},
    {"ACTES", "CCAM_2", &TForm1::CCAM_2, ""},
    {"TARIFS", "TARIF_1", &TForm1::TARIF_1, ""},
    {"TARIFS", "TARIF_2", &TForm1::TARIF_2, ""},
    {"TARIFS", "TARIF_3", &TForm1::TARIF_3, ""},
    {"TARIFS", "TARIF_4", &TForm1::TARIF_4, ""},
    {"TARIFS", "TOTAL", &TForm1::MONTANT_TOTAL, ""},
    {"COCHES", "COCHE_MALADIE", &TForm1::COCHE_MALADIE, "X"},
    {"COCHES", "COCHE_MATERNITE", &TForm1::COCHE_MATERNITE, ""},
    {"COCHES", "COCHE_ACCES", &TForm1::COCHE_ACCES, "X"},
    {"COCHES", "COCHE_NP_COMP", &TForm1::COCHE_NP_COMP, ""},
    {"COCHES", "COCHE_NP_OBLIGAT", &TForm1::COCHE_NP_OBLIGAT, ""},
    {"COCHES", "COCHE_ALD_0", &TForm1::COCHE_ALD_0, ""},
    {"COCHES", "COCHE_ALD_1", &TForm1::COCHE_ALD_1, ""},
};

struct DateKey
{
    const char *section;
    DateEdit *TForm1::*field;
};
const DateKey kDateSections[] = {
    {"DATE", &TForm1::DATE}, {"DATE_ACTE", &TForm1::DATE_ACTE}, {"DDN", &TForm1::DDN}, {"DDG", &TForm1::DDG},
};

QString sheetDate(const QDate &date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace

void TForm1::INI_GETExecute()
{
    const QString settings;   // the program settings file
    // A form image change asks once, for the reading that follows it.
    const bool keepImagePath = keepImagePathOnReading;
    keepImagePathOnReading = false;
    try {
        // 1-2: placement, version caption and log.
        Form_RestorePosition(this);
        setWindowTitle(Version_Caption(QString()));
        Version_LOG(windowTitle());

        // 3-4: the shared state, each item from the image path.
        const QString folder = Program_Folder();
        if (!keepImagePath)
            state.formImagePath = imagePathFromSettings(
                INI_ReadString(QStringLiteral("DEFAUT"), QStringLiteral("IMAGE"), defaultImagePath(folder)), folder);
        state.modelsFolder = modelsFolderFor(state.formImagePath);
        state.formModelName = formModelNameFor(state.modelsFolder);
        state.currentActName = INI_ReadString(QStringLiteral("ACTE"), state.modelsFolder, QStringLiteral("CS"));
        state.formConfigPath = formConfigPathFor(state.formImagePath, User_Name());
        const QString cfg = state.formConfigPath;

        // 5: the folder of the act models.
        if (!QDir(state.modelsFolder).exists()) {
            dialogs().message(QStringLiteral("Création du Dossier des Modèles TIRAVON en \"%1\"").arg(state.modelsFolder));
            if (!QDir().mkpath(state.modelsFolder))
                dialogs().information(QStringLiteral("Erreur de création du dossier des modèles\r\r\"%1\"")
                                          .arg(state.modelsFolder));
        }

        // 6: the form image, or the built-in picture written out as the
        // default image. A file already at the default path is used, never
        // overwritten. A folder is no image file (an empty stored path names
        // the program folder). A picture that cannot be decoded is reported
        // and the built-in one stays, but the reading goes on: stopping here
        // would leave the design layout on screen, and the next saving would
        // write it over the user's own configuration.
        auto showPicture = [this](const QString &path) {
            try {
                Image1->setPicture(loadFormPicture(path));
            } catch (const TiravonError &e) {
                Image1->setPicture(builtInFormPicture());
                dialogs().message(QStringLiteral("ERR:INI_GETExecute => ") + e.message());
            }
        };
        if (QFileInfo(state.formImagePath).isFile()) {
            showPicture(state.formImagePath);
        } else {
            state.formImagePath = defaultImagePath(folder);
            if (QFileInfo(state.formImagePath).isFile()) {
                showPicture(state.formImagePath);
            } else {
                const QImage builtIn = builtInFormPicture();
                Image1->setPicture(builtIn);
                saveJpegFile(state.formImagePath, builtIn);
            }
        }

        // 7-9: the panel, the caption, the image shown.
        const QString image = QStringLiteral("IMAGE");
        Panel_IMAGE->setGeometry(readInt(image, "X", Panel_IMAGE->x(), cfg), readInt(image, "Y", Panel_IMAGE->y(), cfg),
                                 readInt(image, "W", Panel_IMAGE->width(), cfg),
                                 readInt(image, "H", Panel_IMAGE->height(), cfg));
        Image1->show();
        setCaptionFor(state.formModelName, state.currentActName);
        mnu_CacheImage->setChecked(false);

        // 10-11: every plain text field: place, emptied text, font, border, 3-D.
        const QString texts = QStringLiteral("TEXTES");
        for (SheetEdit *edit : m_plainFields) {
            const QString section = edit->objectName();
            edit->move(readInt(section, "X", edit->x(), cfg), readInt(section, "Y", edit->y(), cfg));
            edit->resize(readInt(section, "Z", edit->width(), cfg), edit->height());
            edit->setText(QString());
            QFont font = edit->font();
            // Without a stored font a field keeps the one it was designed
            // with (the amounts at the bottom are smaller than the rest).
            font.setPointSize(readInt(texts, "SIZE", font.pointSize(), cfg));
            font.setFamily(INI_ReadString(texts, QStringLiteral("FONT"), font.family(), cfg));
            addStoredStyles(font, texts, cfg, false);
            edit->setFont(font);
            edit->setBordered(INI_ReadBool(texts, QStringLiteral("ENCADRE"), true, cfg));
            edit->set3D(INI_ReadBool(texts, QStringLiteral("3D"), false, cfg));
        }
        mnu_Border->setChecked(NOM->isBordered());
        mnu_3D->setChecked(NOM->is3D());

        // 12: the added fields listed in the file; the stored name only
        // locates the position keys.
        const QString added = QStringLiteral("NOUVEAUX");
        const int count = INI_ReadInteger(added, QStringLiteral("N"), 0, cfg);
        for (int i = 1; i <= count; ++i) {
            const QString name = INI_ReadString(added, QString::number(i), QString(), cfg);
            if (name.isEmpty())
                break;
            Create_CompoEdit(Panel_IMAGE, i, QStringLiteral("NOUVEAU"), readInt(name, "Z", 100, cfg),
                             readInt(name, "Y", 100, cfg), readInt(name, "X", 100, cfg), QString());
        }

        // 13: the date fields.
        for (const DateKey &entry : kDateSections) {
            DateEdit *date = this->*entry.field;
            const QString section = QString::fromLatin1(entry.section);
            date->move(readInt(section, "X", date->x(), cfg), readInt(section, "Y", date->y(), cfg));
            date->resize(readInt(section, "Z", date->width(), cfg), date->height());
            date->setText(INI_ReadString(section, QStringLiteral("TEXTE"), date->text(), cfg));
        }

        // 14: the stamp.
        const QString note = QStringLiteral("NOTE");
        NOTE->setVisible(INI_ReadBool(note, QStringLiteral("VISIBLE"), true, cfg));
        NOTE->move(readInt(note, "X", NOTE->x(), cfg), readInt(note, "Y", NOTE->y(), cfg));
        const int stampWidth = readInt(note, "Z", NOTE->width(), cfg);
        NOTE->setText(INI_ReadString(note, QStringLiteral("TEXTE"), NOTE->text(), cfg));
        QFont stampFont = NOTE->font();
        addStoredStyles(stampFont, note, cfg, true);
        stampFont.setPointSize(readInt(note, "SIZE", stampFont.pointSize(), cfg));
        stampFont.setFamily(INI_ReadString(note, QStringLiteral("FONT"), stampFont.family(), cfg));
        NOTE->setStampFont(stampFont);
        NOTE->setColor(colorFromStored(readInt(note, "COLOR", storedColor(NOTE->color()), cfg), NOTE->color()));
        NOTE->setAngle(readInt(note, "ANGLE", 0, cfg));
        NOTE->resize(stampWidth, NOTE->height());

        // 15: the label "orienté".
        const QString orienteSection = QStringLiteral("ORIENTE");
        oriente->setVisible(INI_ReadBool(orienteSection, QStringLiteral("VISIBLE"), true, cfg));
        oriente->move(readInt(orienteSection, "X", oriente->x(), cfg), readInt(orienteSection, "Y", oriente->y(), cfg));
        oriente->setText(INI_ReadString(orienteSection, QStringLiteral("TEXTE"), oriente->text(), cfg));

        // 16: the pick lists, from the program folder.
        bool exists = false;
        QStringList lines = readLineFile(folder + QStringLiteral("VILLES.TXT"), &exists);
        if (exists)
            setListEntries(LISTE_VILLES, lines);
        lines = readLineFile(folder + QStringLiteral("CPAMS.TXT"), &exists);
        if (exists)
            setListEntries(Liste_CPAMS, lines);

        // 17-18: the identity from the program settings, today's date.
        const QString identity = QStringLiteral("IDENTITE");
        NOM->setText(INI_ReadString(identity, QStringLiteral("NOM"), samplePatientName(), settings));
        MATRICULE->setText(INI_ReadString(identity, QStringLiteral("MATRICULE"), QString(), settings));
        DDN->setText(INI_ReadString(identity, QStringLiteral("DDN"), QString(), settings));
        ADRESSE->setText(INI_ReadString(identity, QStringLiteral("ADRESSE"), QString(), settings));
        const QString today = sheetDate(platform().today());
        DATE->setText(today);
        DATE_ACTE->setText(today);

        // 19: the acts, tariffs, total and boxes; the total is taken as stored.
        for (const TextKey &entry : kActTexts)
            (this->*entry.field)->setText(INI_ReadString(QString::fromLatin1(entry.section), QString::fromLatin1(entry.key),
                                                         QString::fromLatin1(entry.def), cfg));
    } catch (const std::exception &e) {
        const auto *own = dynamic_cast<const TiravonError *>(&e);
        dialogs().message(QStringLiteral("ERR:INI_GETExecute => ")
                          + (own ? own->message() : QString::fromUtf8(e.what())));
    }
}

void TForm1::INI_SAVEExecute()
{
    const QString cfg = state.formConfigPath;
    // 1: nothing at all is saved when the configuration's folder is gone.
    // A reading that failed before the path was worked out leaves it empty:
    // there is no configuration to save to either (an empty folder would be
    // taken as the current directory, and an empty file as the program
    // settings).
    const QString cfgFolder = extractFilePath(cfg);
    if (cfgFolder.isEmpty() || !QFileInfo(cfgFolder).isDir()) {
        dialogs().message(QStringLiteral("STOP: Fichier de sauvegarde \"%1\" Inacessible !!!").arg(cfg));
        return;
    }

    // 2: the program settings.
    INI_WriteString(QStringLiteral("DEFAUT"), QStringLiteral("IMAGE"), state.formImagePath);
    INI_WriteString(QStringLiteral("DEFAUT"), QStringLiteral("INI"), cfg);
    const QString identity = QStringLiteral("IDENTITE");
    INI_WriteString(identity, QStringLiteral("NOM"), NOM->text());
    INI_WriteString(identity, QStringLiteral("MATRICULE"), MATRICULE->text());
    INI_WriteString(identity, QStringLiteral("DDN"), DDN->text());
    INI_WriteString(identity, QStringLiteral("ADRESSE"), ADRESSE->text());
    INI_WriteString(QStringLiteral("ACTE"), state.modelsFolder, state.currentActName);

    // 3: the act shortcuts list.
    const QString folder = Program_Folder();
    if (form_historique)
        writeLineFile(folder + QStringLiteral("HISTORIQUE.TXT"), listEntries(form_historique->ListBox1));

    // 4: the acts, tariffs, total and boxes as they are.
    for (const TextKey &entry : kActTexts)
        INI_WriteString(QString::fromLatin1(entry.section), QString::fromLatin1(entry.key), (this->*entry.field)->text(), cfg);

    // 5: options of the program settings.
    const QString options = QStringLiteral("OPTIONS");
    INI_WriteBool(options, QStringLiteral("VERROU"), mnu_VERROU->isChecked());
    if (Form_OPTIONS) {
        INI_WriteBool(options, QStringLiteral("AFFICHE"), !Form_OPTIONS->isHidden());
        INI_WriteInteger(options, QStringLiteral("X"), Form_OPTIONS->x());
        INI_WriteInteger(options, QStringLiteral("Y"), Form_OPTIONS->y());
    }
    INI_WriteBool(options, QStringLiteral("TAMPON"), !NOTE->isHidden());
    if (form_historique)
        INI_WriteBool(QStringLiteral("HISTORIQUE"), QStringLiteral("AFFICHE"), !form_historique->isHidden());

    // 6: the image panel.
    const QString image = QStringLiteral("IMAGE");
    writeInt(image, "X", Panel_IMAGE->x(), cfg);
    writeInt(image, "Y", Panel_IMAGE->y(), cfg);
    writeInt(image, "W", Panel_IMAGE->width(), cfg);
    writeInt(image, "H", Panel_IMAGE->height(), cfg);
    INI_WriteBool(image, QStringLiteral("VISIBLE"), !Image1->isHidden(), cfg);

    // 7: the font and look of the fields, from NOM.
    const QString texts = QStringLiteral("TEXTES");
    writeStyles(NOM->font(), texts, cfg);
    writeInt(texts, "SIZE", NOM->font().pointSize(), cfg);
    INI_WriteString(texts, QStringLiteral("FONT"), NOM->font().family(), cfg);
    INI_WriteBool(texts, QStringLiteral("ENCADRE"), mnu_Border->isChecked(), cfg);
    INI_WriteBool(texts, QStringLiteral("3D"), mnu_3D->isChecked(), cfg);

    // 8: the date fields.
    for (const DateKey &entry : kDateSections) {
        DateEdit *date = this->*entry.field;
        const QString section = QString::fromLatin1(entry.section);
        writeInt(section, "X", date->x(), cfg);
        writeInt(section, "Y", date->y(), cfg);
        writeInt(section, "Z", date->width(), cfg);
        INI_WriteString(section, QStringLiteral("TEXTE"), date->text(), cfg);
    }

    // 9: the pick lists.
    writeLineFile(folder + QStringLiteral("VILLES.TXT"), listEntries(LISTE_VILLES));
    writeLineFile(folder + QStringLiteral("CPAMS.TXT"), listEntries(Liste_CPAMS));

    // 10: the stamp.
    const QString note = QStringLiteral("NOTE");
    INI_WriteBool(note, QStringLiteral("VISIBLE"), !NOTE->isHidden(), cfg);
    writeInt(note, "X", NOTE->x(), cfg);
    writeInt(note, "Y", NOTE->y(), cfg);
    writeInt(note, "Z", NOTE->width(), cfg);
    INI_WriteString(note, QStringLiteral("TEXTE"), NOTE->text(), cfg);
    writeStyles(NOTE->font(), note, cfg);
    writeInt(note, "SIZE", NOTE->font().pointSize(), cfg);
    INI_WriteString(note, QStringLiteral("FONT"), NOTE->font().family(), cfg);
    writeInt(note, "COLOR", storedColor(NOTE->color()), cfg);
    writeInt(note, "ANGLE", NOTE->angle(), cfg);

    // 11: the label "orienté".
    const QString orienteSection = QStringLiteral("oriente");
    INI_WriteBool(orienteSection, QStringLiteral("VISIBLE"), !oriente->isHidden(), cfg);
    writeInt(orienteSection, "X", oriente->x(), cfg);
    writeInt(orienteSection, "Y", oriente->y(), cfg);
    INI_WriteString(orienteSection, QStringLiteral("TEXTE"), oriente->text(), cfg);

    // 12: the added fields holding text, listed again from 1; then the
    // place and width of every plain text field.
    const QString added = QStringLiteral("NOUVEAUX");
    int count = 0;
    for (SheetEdit *edit : m_plainFields) {
        if (edit->objectName().contains(QLatin1String("NOUVEAU_")) && !edit->text().isEmpty()) {
            ++count;
            INI_WriteInteger(added, QStringLiteral("N"), count, cfg);
            INI_WriteString(added, QString::number(count), edit->objectName(), cfg);
        }
        const QString section = edit->objectName();
        writeInt(section, "X", edit->x(), cfg);
        writeInt(section, "Y", edit->y(), cfg);
        writeInt(section, "Z", edit->width(), cfg);
    }
}
