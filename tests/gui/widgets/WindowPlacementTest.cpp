// Window placements: stored as left:top:width:height under the program
// name's section, restored with the clamping to the work area.

#include "SupportFixture.h"

#include "support/DataFolder.h"
#include "support/SettingsStore.h"
#include "support/WindowPlacement.h"
#include "widgets/WindowPlacing.h"

#include <QRect>
#include <QWidget>

using WindowPlacement = SupportTest;

namespace {

struct ClampCase
{
    const char *name;
    Placement stored;
    int currentWidth;
    QRect area;
    Placement expected;
};

const QRect kWide(0, 0, 1920, 1040);

} // namespace

TEST(ClampPlacement, OrdinaryRulesAndTheWindowBroughtBackOntoTheWorkArea)
{
    const ClampCase cases[] = {
        // The ordinary rules, in their order: the left uses the former width.
        {"worked example", {2000, 10, 900, 700}, 800, QRect(0, 0, 1280, 1024), {480, 10, 900, 700}},
        {"negative left kept, top raised", {-50, -20, 800, 600}, 800, kWide, {-50, 0, 800, 600}},
        {"too wide", {10, 10, 2500, 600}, 800, kWide, {10, 10, 1920, 600}},
        {"too high", {10, 10, 800, 2000}, 800, kWide, {10, 10, 800, 1040}},
        {"inside", {559, 0, 836, 1024}, 800, kWide, {559, 0, 836, 1024}},
        {"partly below the bottom", {100, 1000, 800, 600}, 800, kWide, {100, 1000, 800, 600}},
        {"partly left of the screen", {-700, 10, 800, 600}, 800, kWide, {-700, 10, 800, 600}},
        // Wholly outside: brought back so the window can be reached again.
        {"below the bottom", {100, 5000, 800, 600}, 800, kWide, {100, 440, 800, 600}},
        {"far to the left", {-3000, 10, 800, 600}, 800, kWide, {0, 10, 800, 600}},
        {"left at the right edge", {1920, 10, 800, 600}, 800, kWide, {1120, 10, 800, 600}},
        {"former width wider than the screen", {3000, 10, 900, 600}, 5000, kWide, {0, 10, 900, 600}},
    };
    for (const ClampCase &c : cases) {
        SCOPED_TRACE(c.name);
        const Placement p = clampPlacement(c.stored, c.currentWidth, c.area);
        EXPECT_EQ(QRect(p.left, p.top, p.width, p.height),
                  QRect(c.expected.left, c.expected.top, c.expected.width, c.expected.height));
    }
}

TEST_F(WindowPlacement, SavedUnderTheProgramNameAndRestored)
{
    QWidget window;
    window.setObjectName(QStringLiteral("form_CALC"));
    window.move(559, 0);
    window.resize(836, 1024);
    saveWindowPlacement(&window);
    EXPECT_EQ(fileBytes(programSettingsFile()), QByteArray("[Tiravon]\r\nform_CALC=559:0:836:1024\r\n"));

    window.move(10, 10);
    window.resize(300, 200);
    restoreWindowPlacement(&window);
    EXPECT_EQ(QRect(window.pos(), window.size()), QRect(559, 0, 836, 1024));
}

TEST_F(WindowPlacement, RestoreAppliesStoredValuesThroughTheClamping)
{
    const struct
    {
        const char *stored;   // nothing stored when null
        QRect before;
        QRect area;
        QRect after;
    } cases[] = {
        {nullptr, QRect(10, 20, 2500, 600), kWide, QRect(10, 20, 1920, 600)},
        {nullptr, QRect(10, 20, 800, 600), kWide, QRect(10, 20, 800, 600)},
        {"-50:-20:800:600", QRect(0, 0, 400, 300), kWide, QRect(-50, 0, 800, 600)},
        {"2000:10:900:700", QRect(0, 0, 800, 600), QRect(0, 0, 1280, 1024), QRect(480, 10, 900, 700)},
        {"100:5000:800:600", QRect(0, 0, 800, 600), kWide, QRect(100, 440, 800, 600)},
        {" 12:34:500:400 ", QRect(0, 0, 800, 600), kWide, QRect(12, 34, 500, 400)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "nothing stored");
        QFile::remove(programSettingsFile());
        if (c.stored)
            writeSetting(QStringLiteral("Tiravon"), QStringLiteral("Form1"), QString::fromLatin1(c.stored));
        fake.area = c.area;
        QWidget window;
        window.setObjectName(QStringLiteral("Form1"));
        window.move(c.before.topLeft());
        window.resize(c.before.size());
        restoreWindowPlacement(&window);
        EXPECT_EQ(QRect(window.pos(), window.size()), c.after);
    }
    // Restoring only reads.
    QFile::remove(programSettingsFile());
    QWidget window;
    window.setObjectName(QStringLiteral("Form1"));
    restoreWindowPlacement(&window);
    EXPECT_FALSE(QFile::exists(programSettingsFile()));
}

TEST_F(WindowPlacement, AMalformedPlacementRaisesTheIntegerConversionError)
{
    const struct
    {
        const char *stored;
        const char *message;
    } cases[] = {
        {"10:abc:800:600", "'abc' n'est pas une valeur entière correcte"},
        {"10:20:800:", "Index de liste hors limites (3)"},
        {"10:20:8.5:600", "'8.5' n'est pas une valeur entière correcte"},
        {"oui", "'oui' n'est pas une valeur entière correcte"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stored);
        writeSetting(QStringLiteral("Tiravon"), QStringLiteral("Form1"), QString::fromLatin1(c.stored));
        QWidget window;
        window.setObjectName(QStringLiteral("Form1"));
        window.move(5, 6);
        window.resize(300, 200);
        EXPECT_EQ(errorMessageOf([&] { restoreWindowPlacement(&window); }), QString::fromUtf8(c.message));
        EXPECT_EQ(QRect(window.pos(), window.size()), QRect(5, 6, 300, 200));
    }
}
