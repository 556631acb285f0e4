#pragma once

#include <QString>

// The text shown when picking an entry fails: ERR:"<handler>"=><error>.
QString pickListErrorText(const QString &handler, const QString &error);
