// The form configuration: one file per form image and user, beside the
// image, with the layout and look of the fields and the last acts; plus a
// few keys of the program settings and the side files of the lists. The
// keys are read into and written from a value (config/FormConfiguration.h);
// this window puts that value on its widgets and reads it back.
#include "CareSheetWindow.h"

#include "print/FormPicture.h"
#include "config/ProgramSettings.h"
#include "config/FormConfiguration.h"
#include "sheet/CareSheet.h"
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
    // The caption names the form and the act; the image shows; the menu
    // ticks follow NOM once the sheet has its look.
    setWindowTitle(QStringLiteral("%1@%2").arg(state.formModelName, state.currentActName));
    textOnlyAction->setChecked(false);
    m_sheet->apply(config);
    borderAction->setChecked(NOM->isBordered());
    threeDAction->setChecked(NOM->is3D());
}

FormConfiguration CareSheetWindow::capture() const
{
    FormConfiguration config;
    config.imagePath = state.formImagePath;
    config.configPath = state.formConfigPath;
    config.modelsFolder = state.modelsFolder;
    config.actName = state.currentActName;
    config.fieldsLocked = lockFieldsAction->isChecked();
    if (m_sideWindows.presentation)
        config.optionsWindow = OptionsWindowState{!m_sideWindows.presentation->isHidden(), m_sideWindows.presentation->x(), m_sideWindows.presentation->y()};
    if (m_sideWindows.shortcuts) {
        config.shortcutsShown = !m_sideWindows.shortcuts->isHidden();
        config.shortcuts = listEntries(m_sideWindows.shortcutList);
    }
    config.bordered = borderAction->isChecked();
    config.threeD = threeDAction->isChecked();
    m_sheet->capture(config);
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
