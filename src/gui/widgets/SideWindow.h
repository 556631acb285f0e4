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
    // Cuts every connection that calls into this window, from its own
    // controls and from the application: a window's destructor calls it
    // first, since its controls and the application still signal while the
    // base class destroys them (a field losing the focus), when the
    // window's own part is already gone.
    void disconnectHandlers();

    void closeEvent(QCloseEvent *event) override;
    // What closing saves; by default the placement.
    virtual void saveAtClose();
};
