#include "ActModelCommands.h"

#include "acts/ActModel.h"
#include "config/FormInUse.h"
#include "config/ProgramSettings.h"
#include "support/ActionGuard.h"
#include "support/Dialogs.h"
#include "widgets/ListBoxes.h"
#include "widgets/SheetEdit.h"
#include "widgets/StampLabel.h"

#include <QAction>
#include <QListWidget>

ActModelCommands::ActModelCommands(const Setup &setup)
    : QObject(setup.window), m_setup(setup)
{
    connect(setup.openCommand, &QAction::triggered, this, guarded([this] { open(); }));
    connect(setup.saveCommand, &QAction::triggered, this, guarded([this] { save(); }));
    connect(setup.chooseAtStartTick, &QAction::triggered, this,
            guarded([this] { storeFlag(Setting::ChooseActAtStart, m_setup.chooseAtStartTick->isChecked()); }));
}

ActModel ActModelCommands::capture() const
{
    ActModel model;
    for (const ActModelKey &k : actModelKeys())
        if (k.field)
            model.*k.text = static_cast<SheetEdit *>(m_setup.fieldNamed(QString::fromLatin1(k.field)))->text();
    const StampLabel *stamp = m_setup.stamp;
    model.stampVisible = !stamp->isHidden();
    model.stampText = stamp->text();
    model.stampTop = stamp->y();
    model.stampLeft = stamp->x();
    return model;
}

void ActModelCommands::apply(const ActModel &model)
{
    for (const ActModelKey &k : actModelKeys())
        if (k.field)
            static_cast<SheetEdit *>(m_setup.fieldNamed(QString::fromLatin1(k.field)))->setText(model.*k.text);
    StampLabel *stamp = m_setup.stamp;
    stamp->setVisible(model.stampVisible);
    stamp->setText(model.stampText);
    stamp->move(model.stampLeft, model.stampTop);
}

void ActModelCommands::save()
{
    // Before the dialog takes the focus: a tariff still being typed is
    // counted in the total the model stores.
    m_setup.commitFieldBeingEdited();
    FormInUse &form = *m_setup.form;
    if (form.modelsFolder.isEmpty())
        form.modelsFolder = fallbackModelsFolder(form.formImagePath);
    const QString chosen = dialogs().saveFile(saveActModelRequest(form.modelsFolder, form.currentActName));
    if (chosen.isEmpty())
        return;
    // Said before any writing is tried.
    if (const QString refusal = chosenFileRefusal(chosen, FileDialogMode::Save); !refusal.isEmpty()) {
        dialogs().error(refusal);
        return;
    }
    form.modelsFolder = modelsFolderOfChosenFile(chosen);
    writeActModel(chosen, capture());
}

void ActModelCommands::open()
{
    FormInUse &form = *m_setup.form;
    if (form.modelsFolder.isEmpty())
        form.modelsFolder = fallbackModelsFolder(form.formImagePath);
    const QString chosen = dialogs().openFile(openActModelRequest(form.modelsFolder, m_lastName));
    if (chosen.isEmpty())
        return;
    // Nothing on the sheet, in the caption or among the acts changes.
    if (const QString refusal = chosenFileRefusal(chosen, FileDialogMode::Open); !refusal.isEmpty()) {
        dialogs().error(refusal);
        return;
    }
    m_lastName = extractFileName(chosen);
    form.modelsFolder = modelsFolderOfChosenFile(chosen);
    form.currentActName = actNameOfModelFile(chosen);
    m_setup.window->setWindowTitle(openedModelCaption(form.modelsFolder, form.currentActName));
    apply(readActModel(chosen, m_setup.stamp->pos()));
    if (QListWidget *shortcuts = m_setup.shortcutList())
        addUniqueEntry(shortcuts, form.currentActName, true);
    registerActModel(form.currentActName, chosen);
}

void ActModelCommands::openShortcut(const QString &actName)
{
    FormInUse &form = *m_setup.form;
    const QString modelFile = registeredActModel(actName);
    switch (shortcutTarget(modelFile)) {
    case ShortcutTarget::Unregistered:
        // The name is the act from now on, even if the dialog is cancelled.
        form.currentActName = actName;
        dialogs().information(unregisteredActMessage());
        open();
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
    form.currentActName = actName;
    m_setup.window->setWindowTitle(shortcutCaption(modelFile, actName));
    apply(readActModel(modelFile, m_setup.stamp->pos()));
}

void ActModelCommands::openAtStart()
{
    m_setup.chooseAtStartTick->setChecked(settingFlag(Setting::ChooseActAtStart));
    if (m_setup.chooseAtStartTick->isChecked())
        open();
}
