// The form configuration: one file per form image and user, beside the
// image, with the layout and look of the fields and the last acts; plus a
// few keys of the program settings and the side files of the lists. The
// keys are read into and written from a value (config/FormConfiguration.h);
// this window puts that value on its widgets and reads it back.
#include "CareSheetWindow.h"

#include "print/FormPicture.h"
#include "config/ProgramSettings.h"
#include "config/FormConfiguration.h"
#include "widgets/ImagePanel.h"
#include "widgets/SheetEdit.h"
#include "widgets/DateEdit.h"
#include "widgets/FormImage.h"
#include "print/JpegCodec.h"
#include "widgets/StampLabel.h"
#include "windows/PresentationTargets.h"
#include "support/Dialogs.h"
#include "support/Platform.h"
#include "support/TiravonError.h"
#include "widgets/ListBoxes.h"
#include "support/DataFolder.h"
#include "support/ProgramIdentity.h"
#include "support/SettingsStore.h"
#include "widgets/WindowPlacing.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>

namespace {

// A stored style is added to the font; a style not stored removes nothing.
void addStyles(QFont &font, const FontLook &look)
{
    if (look.bold)
        font.setBold(true);
    if (look.italic)
        font.setItalic(true);
    if (look.underline)
        font.setUnderline(true);
    if (look.strikeOut)
        font.setStrikeOut(true);
}

FieldPlace placeOf(const QWidget *widget)
{
    FieldPlace place;
    place.name = widget->objectName();
    place.x = widget->x();
    place.y = widget->y();
    place.z = widget->width();
    return place;
}

QString sheetDate(const QDate &date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace

void CareSheetWindow::readConfiguration()
{
    // A form image change asks once, for the reading that follows it.
    const bool keepImagePath = keepImagePathOnReading;
    keepImagePathOnReading = false;
    try {
        // The window's placement; the caption with the version, logged.
        restoreWindowPlacement(this);
        setWindowTitle(versionCaption(QString()));
        logVersion(windowTitle());

        // The form in use, each item derived from the image path.
        const QString folder = programFolder();
        if (!keepImagePath)
            state.formImagePath = imagePathFromSettings(settingText(Setting::FormImage), folder);
        state = formInUseFor(state.formImagePath, userName());
        ensureModelsFolder(state.modelsFolder);

        // The form image, or the built-in picture written out as the
        // default image. A picture that cannot be decoded is reported and the
        // built-in one stays, but the reading goes on: stopping here would
        // leave the design layout on screen, and the next saving would write
        // it over the user's own configuration.
        state.formImagePath = startPicturePath(state.formImagePath, defaultImagePath(folder));
        const StartPicture start = loadStartPicture(state.formImagePath);
        formImage->setPicture(start.picture);
        if (!start.failure.isEmpty())
            dialogs().message(QStringLiteral("ERR:INI_GETExecute => ") + start.failure);

        // The configuration, read over what the window shows now: a key
        // missing leaves the widget as it is.
        apply(readFormConfiguration(capture(), folder));
    } catch (const std::exception &e) {
        // A reading stopped before the form image leaves the built-in
        // picture on screen, never an empty sheet.
        if (formImage->picture().isNull())
            formImage->setPicture(builtInFormPicture());
        dialogs().message(QStringLiteral("ERR:INI_GETExecute => ") + userMessageOf(e));
    }
}

void CareSheetWindow::apply(const FormConfiguration &config)
{
    // The image panel, with its image shown; the caption names the form and
    // the act.
    imagePanel->setGeometry(config.panelX, config.panelY, config.panelWidth, config.panelHeight);
    formImage->show();
    setWindowTitle(QStringLiteral("%1@%2").arg(state.formModelName, state.currentActName));
    textOnlyAction->setChecked(false);

    // Every plain text field: place, emptied text (a claim box's rule runs),
    // the common font over the field's own, border and 3-D edge; the menu
    // ticks follow NOM.
    for (const FieldPlace &place : config.fields) {
        auto *edit = qobject_cast<SheetEdit *>(field(place.name));
        if (!edit)
            continue;
        edit->move(place.x, place.y);
        edit->resize(place.z, edit->height());
        edit->setText(QString());
        QFont font = edit->font();
        font.setPointSize(config.textFont.size);
        font.setFamily(config.textFont.family);
        addStyles(font, config.textFont);
        edit->setFont(font);
        edit->setBordered(config.bordered);
        edit->set3D(config.threeD);
    }
    borderAction->setChecked(NOM->isBordered());
    threeDAction->setChecked(NOM->is3D());

    // The added fields listed, numbered from 1 whatever name they were
    // stored under.
    for (int i = 0; i < config.addedFields.size(); ++i) {
        const FieldPlace &added = config.addedFields.at(i);
        createAddedField(imagePanel, i + 1, QStringLiteral("NOUVEAU"), added.z, added.y, added.x, QString());
    }

    // The date fields.
    for (int i = 0; i < kDateFieldCount; ++i) {
        auto *date = qobject_cast<DateEdit *>(field(dateFieldNames()[i]));
        const DatePlace &place = config.dates[i];
        date->move(place.x, place.y);
        date->resize(place.z, date->height());
        date->setText(place.text);
    }

    // The stamp: its width last, once its text and font have sized it.
    NOTE->setVisible(config.noteShown);
    NOTE->move(config.noteX, config.noteY);
    NOTE->setText(config.noteText);
    QFont stampFont = NOTE->font();
    addStyles(stampFont, config.noteFont);
    stampFont.setPointSize(config.noteFont.size);
    stampFont.setFamily(config.noteFont.family);
    NOTE->setStampFont(stampFont);
    NOTE->setColor(colorFromStored(config.noteColor, NOTE->color()));
    NOTE->setAngle(config.noteAngle);
    NOTE->resize(config.noteWidth, NOTE->height());

    // The label "orienté".
    oriente->setVisible(config.orienteShown);
    oriente->move(config.orienteX, config.orienteY);
    oriente->setText(config.orienteText);

    // The pick lists whose files exist.
    if (config.cities)
        setListEntries(LISTE_VILLES, *config.cities);
    if (config.funds)
        setListEntries(Liste_CPAMS, *config.funds);

    // The identity; the two dates of the day show today whatever was stored.
    NOM->setText(config.nom);
    MATRICULE->setText(config.matricule);
    DDN->setText(config.ddn);
    ADRESSE->setText(config.adresse);
    const QString today = sheetDate(platform().today());
    DATE->setText(today);
    DATE_ACTE->setText(today);

    // The acts, tariffs, total and boxes in their key order: each box's rule
    // runs before the next box is set, so the last box of a pair decides.
    // The total is taken as stored.
    for (int i = 0; i < kActKeyCount; ++i)
        if (auto *edit = qobject_cast<SheetEdit *>(field(QString::fromLatin1(actKeys()[i].field))))
            edit->setText(config.acts[i]);
}

FormConfiguration CareSheetWindow::capture() const
{
    FormConfiguration config;
    config.imagePath = state.formImagePath;
    config.configPath = state.formConfigPath;
    config.modelsFolder = state.modelsFolder;
    config.actName = state.currentActName;
    config.nom = NOM->text();
    config.matricule = MATRICULE->text();
    config.ddn = DDN->text();
    config.adresse = ADRESSE->text();

    config.fieldsLocked = lockFieldsAction->isChecked();
    if (m_sideWindows.presentation)
        config.optionsWindow = OptionsWindowState{!m_sideWindows.presentation->isHidden(), m_sideWindows.presentation->x(), m_sideWindows.presentation->y()};
    if (m_sideWindows.shortcuts) {
        config.shortcutsShown = !m_sideWindows.shortcuts->isHidden();
        config.shortcuts = listEntries(m_sideWindows.shortcutList);
    }
    config.cities = listEntries(LISTE_VILLES);
    config.funds = listEntries(Liste_CPAMS);

    for (int i = 0; i < kActKeyCount; ++i)
        if (auto *edit = qobject_cast<SheetEdit *>(field(QString::fromLatin1(actKeys()[i].field))))
            config.acts[i] = edit->text();

    config.panelX = imagePanel->x();
    config.panelY = imagePanel->y();
    config.panelWidth = imagePanel->width();
    config.panelHeight = imagePanel->height();
    config.imageShown = !formImage->isHidden();

    // The font of NOM stands for every field's.
    config.textFont = fontLookOf(NOM->font());
    config.bordered = borderAction->isChecked();
    config.threeD = threeDAction->isChecked();

    for (int i = 0; i < kDateFieldCount; ++i) {
        const QWidget *date = field(dateFieldNames()[i]);
        const FieldPlace place = placeOf(date);
        config.dates[i] = DatePlace{place.x, place.y, place.z, qobject_cast<const DateEdit *>(date)->text()};
    }

    config.noteShown = !NOTE->isHidden();
    config.noteX = NOTE->x();
    config.noteY = NOTE->y();
    config.noteWidth = NOTE->width();
    config.noteText = NOTE->text();
    config.noteFont = fontLookOf(NOTE->font());
    config.noteColor = storedColor(NOTE->color());
    config.noteAngle = NOTE->angle();

    config.orienteShown = !oriente->isHidden();
    config.orienteX = oriente->x();
    config.orienteY = oriente->y();
    config.orienteText = oriente->text();

    // Every plain text field; the added ones that hold text are listed.
    for (const SheetEdit *edit : m_plainFields) {
        const FieldPlace place = placeOf(edit);
        config.fields << place;
        if (place.name.contains(QLatin1String("NOUVEAU_")) && !edit->text().isEmpty())
            config.addedFields << place;
    }
    return config;
}

void CareSheetWindow::saveConfiguration()
{
    // Nothing at all is saved when the configuration's folder is gone. A
    // reading that failed before the path was worked out leaves it empty:
    // there is no configuration to save to either (an empty folder would be
    // taken as the current directory, and an empty file as the program
    // settings).
    const QString cfg = state.formConfigPath;
    const QString cfgFolder = extractFilePath(cfg);
    if (cfgFolder.isEmpty() || !QFileInfo(cfgFolder).isDir()) {
        dialogs().message(QStringLiteral("STOP: Fichier de sauvegarde \"%1\" Inacessible !!!").arg(cfg));
        return;
    }
    // A tariff still being typed is counted in the total stored with it.
    commitFieldBeingEdited();
    // A write that fails ends the saving there and reaches the caller.
    writeFormConfiguration(capture(), programFolder());
}
