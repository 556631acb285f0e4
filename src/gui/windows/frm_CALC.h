#pragma once

#include "widgets/SideWindow.h"

// The modifier calculator "Modificalculateur".
class Tform_CALC : public SideWindow
{
    Q_OBJECT
public:
    Tform_CALC();
};
