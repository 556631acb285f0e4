// The few out-of-line pieces of Qt Test that the window tests' key and mouse
// helpers call, for a Qt built without its test library (the Windows SDK the
// program is cross-built against). The helpers themselves are Qt Test's own
// inline code, from the headers of the same Qt version; only what they take
// from the library is here: the default delays (none), the mouse state they
// keep between calls, the mapping between ASCII characters and keys, and the
// state of a Qt Test run, which GoogleTest programs never are.

#include <QtTest/qtestkeyboard.h>
#include <QtTest/qtestmouse.h>
#include <QtTest/qtesteventloop.h>

namespace QTestPrivate {
Qt::MouseButtons qtestMouseButtons = Qt::NoButton;
}

namespace QTest {

int lastMouseTimestamp = 0;

bool runningTest()
{
    return false;
}

bool currentTestFailed()
{
    return false;
}

int defaultKeyDelay()
{
    return 0;
}

int defaultMouseDelay()
{
    return 0;
}

Qt::Key asciiToKey(char ascii)
{
    switch (static_cast<unsigned char>(ascii)) {
    case 0x08: return Qt::Key_Backspace;
    case 0x09: return Qt::Key_Tab;
    case 0x0a:
    case 0x0d: return Qt::Key_Return;
    case 0x1b: return Qt::Key_Escape;
    case 0x7f: return Qt::Key_Delete;
    default: break;
    }
    // Printable ASCII: Qt's key codes are the characters' codes, letters in
    // upper case.
    if (ascii >= 'a' && ascii <= 'z')
        return Qt::Key(ascii - 'a' + 'A');
    if (ascii >= ' ' && ascii <= '~')
        return Qt::Key(ascii);
    return Qt::Key_unknown;
}

char keyToAscii(Qt::Key key)
{
    switch (key) {
    case Qt::Key_Backspace: return 0x08;
    case Qt::Key_Tab: return 0x09;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 0x0d;
    case Qt::Key_Escape: return 0x1b;
    case Qt::Key_Delete: return 0x7f;
    default: break;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return char(key - Qt::Key_A + 'a');
    if (key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde)
        return char(key);
    return 0;
}

} // namespace QTest
