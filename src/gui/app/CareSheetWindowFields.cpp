// The text fields the user adds at run time, the field being edited committed
// before a saving, and the lock of the fields.
#include "CareSheetWindow.h"

#include "sheet/CareSheet.h"
#include "support/Dialogs.h"
#include "support/PathRules.h"
#include "support/SettingsStore.h"
#include "widgets/ImagePanel.h"
#include "widgets/SheetEdit.h"

#include <QAction>
#include <QDir>

void CareSheetWindow::addTextField()
{
    // The count lives in the form configuration; a reading that failed
    // before its path was known leaves none to keep it in.
    if (!QDir(extractFilePath(state.formConfigPath)).exists() || extractFilePath(state.formConfigPath).isEmpty()) {
        dialogs().message(QStringLiteral("STOP: Fichier de sauvegarde \"%1\" Inacessible !!!").arg(state.formConfigPath));
        return;
    }
    const QString section = QStringLiteral("NOUVEAUX");
    // After the count, the first number no field has: a saving lists only
    // the added fields holding text, so the count can fall below the
    // numbers still on the sheet.
    int n = readIntegerSetting(section, QStringLiteral("N"), 0, state.formConfigPath) + 1;
    while (findChild<QWidget *>(QStringLiteral("NOUVEAU_%1").arg(n)))
        ++n;
    // A third of the window's height and a quarter of its width, the window
    // taken whole, frame included where the platform draws one.
    const QRect whole = frameGeometry();
    m_sheet->createAddedField(imagePanel, n, QStringLiteral("NOUVEAU"), 100, whole.height() / 3, whole.width() / 4,
                     QStringLiteral("Nouveau_%1").arg(n));
    writeIntegerSetting(section, QStringLiteral("N"), n, state.formConfigPath);
}

void CareSheetWindow::commitFieldBeingEdited()
{
    if (auto *editing = qobject_cast<SheetEdit *>(focusWidget()))
        emit editing->exited(editing);
}

void CareSheetWindow::applyLock()
{
    m_sheet->setLocked(lockFieldsAction->isChecked());
}
