#include "frm_CALC.h"

Tform_CALC::Tform_CALC()
    : SideWindow(QStringLiteral("form_CALC"), QStringLiteral("Modificalculateur"), QSize(220, 359),
                 Frame::FixedTool)
{
    move(300, 200);
    restorePlacement();
}
