#include "unit_options.h"

#include "support/tq32_ini.h"

TForm_OPTIONS::TForm_OPTIONS()
    : SideWindow(QStringLiteral("Form_OPTIONS"), QStringLiteral("Présentation"), QSize(259, 552),
                 Frame::FixedTool)
{
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    setFont(font);
    move(INI_ReadInteger(QStringLiteral("OPTIONS"), QStringLiteral("X"), 0),
         INI_ReadInteger(QStringLiteral("OPTIONS"), QStringLiteral("Y"), 0));
}

void TForm_OPTIONS::FormClose()
{
    INI_WriteInteger(QStringLiteral("OPTIONS"), QStringLiteral("X"), x());
    INI_WriteInteger(QStringLiteral("OPTIONS"), QStringLiteral("Y"), y());
}
