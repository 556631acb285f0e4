#pragma once

#include "widgets/SideWindow.h"

// The CCAM reference viewer "CéCAM".
class Tform_EDIT : public SideWindow
{
    Q_OBJECT
public:
    Tform_EDIT();
};
