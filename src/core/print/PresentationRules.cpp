#include "PresentationRules.h"

int wholeNumberOrZero(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 0;
}

int careSheetTopFor(int screenSteps)
{
    return screenSteps * 6;
}

PanelPreset brotherHlPreset()
{
    return PanelPreset{772, 1100, 0, 5};
}
