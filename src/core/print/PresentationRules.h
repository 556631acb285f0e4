#pragma once

#include <QString>

// The arithmetic of the presentation options, which register the printed
// texts against the paper form by moving and resizing the image panel.

// A box's text as a whole number: a text that is not one reads as 0.
int wholeNumberOrZero(const QString &text);

// The care-sheet window's top for the screen-position box: steps of 6 pixels.
int careSheetTopFor(int screenSteps);

// What a double click in each box sets.
struct PanelBoxDefaults
{
    static constexpr int left = 0;
    static constexpr int top = 0;
    static constexpr int width = 775;
    static constexpr int height = 1110;
    static constexpr int screen = 0;
};

// A printer preset: the panel boxes it sets, applied in this order (width,
// height, left, top), each the moment its box takes it.
struct PanelPreset
{
    int width;
    int height;
    int left;
    int top;
};

// "Modèle 1 (Brother HL)".
PanelPreset brotherHlPreset();
