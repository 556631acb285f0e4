// The sheet edit box shows a text the program sets from its first
// character, as a Windows edit box does, whoever sets it; a text being typed
// keeps its caret.
#include "widgets/SheetEdit.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class SheetEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        field = new SheetEdit(&window);
        field->setGeometry(10, 10, 120, 26);
        other = new QLineEdit(&window);
        other->setGeometry(10, 60, 100, 24);
        window.resize(300, 120);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        other->setFocus();
    }

    // The field's left part as it shows.
    QImage leftPart(QLineEdit *edit) const
    {
        return edit->grab(QRect(0, 0, 60, edit->height())).toImage();
    }

    QWidget window;
    SheetEdit *field = nullptr;
    QLineEdit *other = nullptr;
};

TEST_F(SheetEditTest, ATextSetByTheProgramShowsFromItsFirstCharacter)
{
    const QString address = QStringLiteral("12 RUE DES LILAS - BÂTIMENT B");
    // The same text with the caret brought home shows what the field must
    // show.
    SheetEdit start(&window);
    start.setGeometry(field->geometry().translated(0, 100));
    start.show();
    start.setText(address);
    start.setCursorPosition(0);

    struct Case
    {
        const char *name;
        std::function<void()> set;
    };
    const Case cases[] = {
        {"set on the field", [&] { field->setText(address); }},
        {"set through a plain line edit", [&] { static_cast<QLineEdit *>(field)->setText(address); }},
        {"replacing another text", [&] {
             field->setText(QStringLiteral("AUTRE"));
             field->setText(address);
         }},
    };
    for (const Case &c : cases) {
        field->clear();
        c.set();
        EXPECT_EQ(field->cursorPosition(), 0) << c.name;
        EXPECT_TRUE(leftPart(field) == leftPart(&start)) << c.name;
    }

    // Typed, the text shows its end where the typing is, with the focus or
    // without.
    for (const bool focused : {true, false}) {
        field->clear();
        if (focused)
            field->setFocus();
        else
            other->setFocus();
        QTest::keyClicks(field, address);
        EXPECT_EQ(field->text(), address) << focused;
        EXPECT_EQ(field->cursorPosition(), address.size()) << focused;
        EXPECT_FALSE(leftPart(field) == leftPart(&start)) << focused;
    }
}

} // namespace
