// What the real desktop shows and the scripted dialogs cannot: the captions
// as the platform writes them, and Qt's own font dialog, which knows only
// the installed families.
#include "ScriptedDialogs.h"
#include "TiravonSession.h"

#include "app/ProgramEntry.h"
#include "app/QtDialogs.h"
#include "app/CareSheetWindow.h"
#include "support/SettingsStore.h"
#include "widgets/SheetEdit.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QFontDialog>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Runs the step on the modal dialog that the next call opens, then closes it
// with OK.
void whenDialogOpens(std::function<void(QWidget *)> step)
{
    QTimer::singleShot(0, [step] {
        QWidget *dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        step(dialog);
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    });
}

class QtDialogsInUse
{
public:
    QtDialogsInUse() { setDialogs(&m_dialogs); }
    ~QtDialogsInUse() { setDialogs(&testDialogs()); }
    QtDialogs &dialogs() { return m_dialogs; }

private:
    QtDialogs m_dialogs;
};

FontChoice sheetFont()
{
    QFont font(QStringLiteral("MS Sans Serif"), 12);
    font.setBold(true);
    return FontChoice{font, Qt::black};
}

} // namespace

TEST(DesktopTest, TheCaptionsCarryNoApplicationSuffix)
{
    // A display name set explicitly is added to every window's caption by the
    // platform ("Raccourcis — Tiravon"); left unset, it follows the name.
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("Essai"));
    const QString followed = QGuiApplication::applicationDisplayName();
    QCoreApplication::setApplicationName(name);
    EXPECT_EQ(followed, QStringLiteral("Essai"));
    EXPECT_EQ(name, QStringLiteral("Tiravon"));
}

TEST(DesktopTest, OkWithoutAChangeGivesBackTheFontAsItWas)
{
    QtDialogsInUse qt;
    QFont offered;
    whenDialogOpens([&offered](QWidget *dialog) { offered = dialog->findChild<QFontDialog *>()->currentFont(); });
    const FontChoice chosen = qt.dialogs().chooseFont(sheetFont());
    // The dialog shows the family the text is drawn in, bold, 12 points ...
    EXPECT_EQ(offered.family(), QStringLiteral("Liberation Sans"));
    EXPECT_TRUE(offered.bold());
    EXPECT_FALSE(offered.italic());
    EXPECT_EQ(offered.pointSize(), 12);
    // ... and its answer keeps the program's own name for it.
    EXPECT_EQ(chosen.font.family(), QStringLiteral("MS Sans Serif"));
    EXPECT_TRUE(chosen.font.bold());
    EXPECT_FALSE(chosen.font.italic());
    EXPECT_EQ(chosen.font.pointSize(), 12);
}

TEST(DesktopTest, AnotherFamilyAndAColourAreGivenBack)
{
    QtDialogsInUse qt;
    whenDialogOpens([](QWidget *dialog) {
        // The user picks a family, a style and a size in the lists.
        QFont other(QStringLiteral("Liberation Serif"), 14);
        other.setItalic(true);
        other.setStyleName(QStringLiteral("Italic"));
        dialog->findChild<QFontDialog *>()->setCurrentFont(other);
        QTimer::singleShot(0, [] {
            auto *colors = qobject_cast<QColorDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(colors, nullptr);
            colors->setCurrentColor(Qt::red);
            colors->accept();
        });
        dialog->findChild<QPushButton *>(QStringLiteral("color"))->click();
    });
    const FontChoice chosen = qt.dialogs().chooseFont(sheetFont());
    EXPECT_EQ(chosen.font.family(), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(chosen.font.pointSize(), 14);
    EXPECT_TRUE(chosen.font.italic());
    EXPECT_EQ(chosen.color, QColor(Qt::red));
}

TEST(DesktopTest, TheFontCommandConfirmedUnchangedChangesNothingOnScreenOrInTheFile)
{
    TiravonSession session;
    session.start();
    CareSheetWindow *form = session.form();
    const QFont before = textField(form, "NOM")->font();
    {
        QtDialogsInUse qt;
        whenDialogOpens([](QWidget *) {});
        actionOf(form, "fieldsFontAction")->trigger();
    }
    for (SheetEdit *edit : form->plainTextFields()) {
        EXPECT_EQ(edit->font().family(), before.family()) << edit->objectName().toStdString();
        EXPECT_EQ(edit->font().bold(), before.bold()) << edit->objectName().toStdString();
        EXPECT_EQ(edit->font().italic(), before.italic()) << edit->objectName().toStdString();
    }
    actionOf(form, "saveConfigurationAction")->trigger();
    EXPECT_EQ(readSetting(QStringLiteral("TEXTES"), QStringLiteral("FONT"), QString(), session.configFile()),
              before.family());
    EXPECT_EQ(readSetting(QStringLiteral("TEXTES"), QStringLiteral("BOLD"), QString(), session.configFile()),
              before.bold() ? QStringLiteral("1") : QStringLiteral("0"));
}
