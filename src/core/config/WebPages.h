#pragma once

#include <QString>

// The web pages the program opens: the hosts are ours to choose, the paths
// and query keys are fixed.
namespace WebPages {
QString onlineManual();
QString careSheetInformation();
}
