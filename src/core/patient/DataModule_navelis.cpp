#include "DataModule_navelis.h"

TDATA_NAVELIS::TDATA_NAVELIS()
{
    setObjectName(QStringLiteral("DATA_NAVELIS"));
}
