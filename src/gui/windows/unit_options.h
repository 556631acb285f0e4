#pragma once

#include "widgets/SideWindow.h"

// The presentation options window "Présentation", beside the care sheet.
class TForm_OPTIONS : public SideWindow
{
    Q_OBJECT
public:
    TForm_OPTIONS();

protected:
    // Its own save: its place in the program settings.
    void FormClose() override;
};
