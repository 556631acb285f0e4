#pragma once

#include "TiravonSession.h"
#include "app/CareSheetWindow.h"

#include <gtest/gtest.h>

// The fixture of the tests that open the program: a session started in its
// own folder with the care-sheet window shown, and a restart that closes it
// (which saves) and starts it again.
class SheetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        session.start();
        form = session.form();
    }

    void restart()
    {
        session.restart();
        form = session.form();
    }

    TiravonSession session;
    CareSheetWindow *form = nullptr;
};
