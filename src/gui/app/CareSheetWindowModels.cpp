// The act models of the care-sheet window: saving the billing part of the
// sheet under a name, applying a saved one through the dialog or through a
// shortcut of the "Raccourcis" window, and the choice of an act at start.
#include "CareSheetWindow.h"

#include "config/ProgramSettings.h"
#include "acts/ActModel.h"
#include "support/Dialogs.h"
#include "support/SettingsStore.h"
#include "widgets/SheetEdit.h"
#include "widgets/StampLabel.h"
#include "widgets/ListBoxes.h"

#include <QAction>
#include <QListWidget>

ActModel CareSheetWindow::captureActModel() const
{
    ActModel model;
    for (const ActModelKey &k : actModelKeys())
        if (k.field)
            model.*k.text = static_cast<SheetEdit *>(field(QString::fromLatin1(k.field)))->text();
    model.stampVisible = !NOTE->isHidden();
    model.stampText = NOTE->text();
    model.stampTop = NOTE->y();
    model.stampLeft = NOTE->x();
    return model;
}

void CareSheetWindow::applyActModel(const ActModel &model)
{
    // In the file's order: each claim box's rule runs as its text is set,
    // before the next box; the total is taken as stored.
    for (const ActModelKey &k : actModelKeys())
        if (k.field)
            static_cast<SheetEdit *>(field(QString::fromLatin1(k.field)))->setText(model.*k.text);
    NOTE->setVisible(model.stampVisible);
    NOTE->setText(model.stampText);
    NOTE->move(model.stampLeft, model.stampTop);
}

void CareSheetWindow::saveActModel()
{
    // Before the dialog takes the focus: a tariff still being typed is
    // counted in the total the model stores.
    commitFieldBeingEdited();
    if (state.modelsFolder.isEmpty())
        state.modelsFolder = fallbackModelsFolder(state.formImagePath);
    const QString chosen = dialogs().saveFile(saveActModelRequest(state.modelsFolder, state.currentActName));
    if (chosen.isEmpty())
        return;
    // Said before any writing is tried.
    if (const QString refusal = chosenFileRefusal(chosen, FileDialogMode::Save); !refusal.isEmpty()) {
        dialogs().error(refusal);
        return;
    }
    state.modelsFolder = modelsFolderOfChosenFile(chosen);
    writeActModel(chosen, captureActModel());
}

void CareSheetWindow::openActModel()
{
    if (state.modelsFolder.isEmpty())
        state.modelsFolder = fallbackModelsFolder(state.formImagePath);
    const QString chosen = dialogs().openFile(openActModelRequest(state.modelsFolder, m_lastActModelName));
    if (chosen.isEmpty())
        return;
    // Nothing on the sheet, in the caption or among the acts changes.
    if (const QString refusal = chosenFileRefusal(chosen, FileDialogMode::Open); !refusal.isEmpty()) {
        dialogs().error(refusal);
        return;
    }
    m_lastActModelName = extractFileName(chosen);
    state.modelsFolder = modelsFolderOfChosenFile(chosen);
    state.currentActName = actNameOfModelFile(chosen);
    setWindowTitle(openedModelCaption(state.modelsFolder, state.currentActName));
    applyActModel(readActModel(chosen, NOTE->pos()));
    if (m_sideWindows.shortcuts)
        addUniqueEntry(m_sideWindows.shortcutList, state.currentActName, true);
    registerActModel(state.currentActName, chosen);
}

void CareSheetWindow::openActShortcut(const QString &actName)
{
    const QString modelFile = registeredActModel(actName);
    switch (shortcutTarget(modelFile)) {
    case ShortcutTarget::Unregistered:
        // The name is the act from now on, even if the dialog is cancelled.
        state.currentActName = actName;
        dialogs().information(unregisteredActMessage());
        openActModel();
        return;
    case ShortcutTarget::FileMissing:
        // Applying the defaults of a file that has gone would clear the
        // billing part while the caption claimed the act: say so instead,
        // and leave the sheet and the act as they are.
        dialogs().information(missingModelFileMessage(modelFile));
        return;
    case ShortcutTarget::Ready:
        break;
    }
    state.currentActName = actName;
    setWindowTitle(shortcutCaption(modelFile, actName));
    applyActModel(readActModel(modelFile, NOTE->pos()));
}

void CareSheetWindow::storeChooseActAtStart()
{
    storeFlag(Setting::ChooseActAtStart, chooseActAtStartAction->isChecked());
}

void CareSheetWindow::openActAtStart()
{
    chooseActAtStartAction->setChecked(settingFlag(Setting::ChooseActAtStart));
    if (chooseActAtStartAction->isChecked())
        openActModel();
}
