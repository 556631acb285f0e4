#include "ActionGuard.h"

#include "Dialogs.h"
#include "TiravonError.h"

#include <QString>

void runGuarded(const std::function<void()> &action)
{
    try {
        action();
    } catch (const std::exception &e) {
        dialogs().error(userMessageOf(e));
    }
}
