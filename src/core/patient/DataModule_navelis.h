#pragma once

#include <QObject>

// The data module of the external patient-record database.
class TDATA_NAVELIS : public QObject
{
    Q_OBJECT
public:
    TDATA_NAVELIS();
};
