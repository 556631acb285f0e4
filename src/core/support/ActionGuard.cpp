#include "ActionGuard.h"

#include "Dialogs.h"
#include "TiravonError.h"

#include <QString>

void runGuarded(const std::function<void()> &action)
{
    try {
        action();
    } catch (const TiravonError &e) {
        dialogs().error(e.message());
    } catch (const std::exception &e) {
        dialogs().error(QString::fromUtf8(e.what()));
    }
}
