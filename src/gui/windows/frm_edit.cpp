#include "frm_edit.h"

Tform_EDIT::Tform_EDIT()
    : SideWindow(QStringLiteral("form_EDIT"), QStringLiteral("CéCAM"), QSize(888, 673), Frame::Sizable)
{
    move(120, 80);
    restorePlacement();
}
