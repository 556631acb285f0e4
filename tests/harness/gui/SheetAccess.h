#pragma once

// How the tests reach the parts of the care-sheet window: by the names the
// program gives them (the sheet fields' names, which are also their keys in
// the files, and the object names of the commands, menus and buttons), never
// through the window's members. A part that is not there stops the test.

#include "sheet/CareSheet.h"
#include "widgets/DateEdit.h"
#include "widgets/FormImage.h"
#include "widgets/ImagePanel.h"
#include "widgets/MoveResizeController.h"
#include "widgets/SheetEdit.h"
#include "widgets/StampLabel.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QScrollArea>
#include <QToolButton>
#include <stdexcept>
#include <string>

template <typename T>
T *partOf(const QObject *window, const char *name)
{
    T *found = window->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        throw std::runtime_error(std::string("the window has no part named ") + name);
    return found;
}

inline SheetEdit *textField(const QObject *window, const char *name) { return partOf<SheetEdit>(window, name); }
inline DateEdit *dateField(const QObject *window, const char *name) { return partOf<DateEdit>(window, name); }
inline QListWidget *pickList(const QObject *window, const char *name) { return partOf<QListWidget>(window, name); }
inline StampLabel *stampOf(const QObject *window) { return partOf<StampLabel>(window, "NOTE"); }
inline QLabel *orienteOf(const QObject *window) { return partOf<QLabel>(window, "oriente"); }
inline QAction *actionOf(const QObject *window, const char *name) { return partOf<QAction>(window, name); }
inline QMenu *menuOf(const QObject *window, const char *name) { return partOf<QMenu>(window, name); }
inline QToolButton *buttonOf(const QObject *window, const char *name) { return partOf<QToolButton>(window, name); }
inline QScrollArea *scrollAreaOf(const QObject *window) { return partOf<QScrollArea>(window, "sheetScrollArea"); }
inline CareSheet *sheetOf(const QObject *window) { return partOf<CareSheet>(window, "sheetPage"); }
inline QWidget *sheetPageOf(const QObject *window) { return partOf<QWidget>(window, "sheetPage"); }
inline ImagePanel *imagePanelOf(const QObject *window) { return partOf<ImagePanel>(window, "imagePanel"); }
inline FormImage *formImageOf(const QObject *window) { return partOf<FormImage>(window, "formImage"); }
inline MoveResizeController *moveResizeOf(const QObject *window)
{
    return partOf<MoveResizeController>(window, "moveResize");
}
