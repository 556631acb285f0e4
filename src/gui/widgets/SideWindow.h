#pragma once

#include <QWidget>

// A secondary window of the program: created at start, hidden rather than
// destroyed when the user closes it, and saving what it keeps at that moment
// (by default its placement). The program's end does not run that save.
class SideWindow : public QWidget
{
    Q_OBJECT
public:
    enum class Frame { Tool, FixedTool, Sizable };

    SideWindow(const QString &name, const QString &caption, const QSize &clientSize, Frame frame);

    // Restores the placement stored under the window's name, showing an
    // error in the default error box when the stored value is malformed.
    void restorePlacement();

protected:
    void closeEvent(QCloseEvent *event) override;
    // What closing saves; by default the placement.
    virtual void saveAtClose();
};
