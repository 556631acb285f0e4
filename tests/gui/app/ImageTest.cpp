// The form image commands: a new image brings its own configuration and is
// the one shown after a restart; a picture or a configuration that cannot
// be read changes nothing; dropping, editing, hiding and fitting the image.
#include "ScriptedDialogs.h"
#include "SheetTest.h"
#include "TiravonSession.h"

#include "app/CareSheetWindow.h"
#include "config/FormInUse.h"
#include "print/JpegCodec.h"
#include "support/DataFolder.h"
#include "support/SettingsStore.h"
#include "widgets/FormImage.h"
#include "widgets/ImagePanel.h"
#include "widgets/SheetEdit.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

class ImageTest : public SheetTest
{
protected:
    // A JPEG picture of the given size, with a configuration of its own
    // that places the panel and NOM.
    QString otherForm(const QString &name, QSize size, int panelTop, int nomLeft)
    {
        const QString path = QDir::toNativeSeparators(session.path(name));
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::white);
        saveJpegFile(path, picture);
        const QString config = formConfigPathFor(path, session.fake.login);
        writeIntegerSetting(QStringLiteral("IMAGE"), QStringLiteral("Y"), panelTop, config);
        writeIntegerSetting(QStringLiteral("NOM"), QStringLiteral("X"), nomLeft, config);
        return path;
    }

    struct Shown
    {
        QString path;
        QSize picture;
        QRect panel;
        int nomLeft;
        bool operator==(const Shown &o) const
        {
            return path == o.path && picture == o.picture && panel == o.panel && nomLeft == o.nomLeft;
        }
    };
    Shown shown() const
    {
        return {form->formInUse().formImagePath, formImageOf(form)->picture().size(), imagePanelOf(form)->geometry(),
                textField(form, "NOM")->x()};
    }
};

TEST_F(ImageTest, AChosenImageBringsItsConfigurationAndIsTheOneShownAfterARestart)
{
    const QString other = otherForm(QStringLiteral("autre.jpg"), QSize(120, 90), 40, 300);
    testDialogs().fileAnswers << other;
    actionOf(form, "loadFormImageAction")->trigger();

    ASSERT_EQ(testDialogs().fileRequests.size(), 1);
    const FileDialogRequest &asked = testDialogs().fileRequests.first();
    EXPECT_EQ(asked.title, QStringLiteral("Choisir une IMAGE JPG"));
    EXPECT_EQ(asked.folder, programFolder());
    EXPECT_TRUE(asked.picture);
    EXPECT_TRUE(asked.filter.startsWith(QStringLiteral("Tous (*.gif;*.png;*.jpg;*.jpeg;")));
    EXPECT_EQ(shown().path, other);
    EXPECT_EQ(shown().picture, QSize(120, 90));
    EXPECT_EQ(imagePanelOf(form)->y(), 40);
    EXPECT_EQ(textField(form, "NOM")->x(), 300);
    EXPECT_EQ(form->formInUse().formConfigPath, formConfigPathFor(other, session.fake.login));
    EXPECT_TRUE(testDialogs().texts(QStringLiteral("error")).isEmpty());

    session.restart();
    form = session.form();
    EXPECT_EQ(shown().path, other);
    EXPECT_EQ(shown().picture, QSize(120, 90));
    EXPECT_EQ(textField(form, "NOM")->x(), 300);
}

TEST_F(ImageTest, APictureOrAConfigurationThatCannotBeReadChangesNothing)
{
    const QString png = session.path(QStringLiteral("scan.png"));
    QImage(20, 20, QImage::Format_RGB32).save(png, "PNG");
    const QString corrupt = session.path(QStringLiteral("abime.jpg"));
    QFile::copy(QStringLiteral(TIRAVON_TEST_DATA "/jpeg/corrupt_data.jpg"), corrupt);
    const QString empty = session.path(QStringLiteral("vide.jpg"));
    QFile(empty).open(QIODevice::WriteOnly);
    // A configuration that exists but cannot be read (here a folder in its place).
    const QString locked = otherForm(QStringLiteral("verrou.jpg"), QSize(50, 50), 40, 300);
    const QString lockedConfig = formConfigPathFor(locked, session.fake.login);
    QFile::remove(lockedConfig);
    QDir().mkpath(lockedConfig);

    struct Case { QString path; QString error; };
    const Case cases[] = {
        {png, QStringLiteral("Extension de fichier image inconnue (.png)")},
        {corrupt, QString()},
        {empty, QString()},
        {locked, QStringLiteral("Impossible de lire la configuration \"%1\" de l'image \"%2\"")
                     .arg(QDir::toNativeSeparators(lockedConfig), QDir::toNativeSeparators(locked))},
    };
    const Shown before = shown();
    for (const Case &c : cases) {
        testDialogs().clear();
        testDialogs().fileAnswers << c.path;
        actionOf(form, "loadFormImageAction")->trigger();
        const QStringList errors = testDialogs().texts(QStringLiteral("error"));
        ASSERT_EQ(errors.size(), 1) << c.path.toStdString();
        if (!c.error.isEmpty()) {
            EXPECT_EQ(errors.first(), c.error);
        }
        EXPECT_TRUE(shown() == before) << c.path.toStdString();
    }
}

TEST_F(ImageTest, OnlyTheFirstDroppedFileIsTakenAndOnlyAsJpg)
{
    const QString first = otherForm(QStringLiteral("premiere.JpG"), QSize(60, 40), 40, 300);
    const QString second = otherForm(QStringLiteral("seconde.jpg"), QSize(70, 40), 40, 300);
    const QString jpeg = otherForm(QStringLiteral("troisieme.jpeg"), QSize(80, 40), 40, 300);
    const Shown before = shown();
    testDialogs().clear();

    form->dropFiles({jpeg, first});
    EXPECT_EQ(testDialogs().texts(QStringLiteral("message")),
              QStringList{QStringLiteral("On ne peut déposer que des images au format \"JPG\"")});
    EXPECT_TRUE(shown() == before);

    // Three files dropped on a field, as the desktop sends them.
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(first), QUrl::fromLocalFile(second), QUrl::fromLocalFile(jpeg)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(textField(form, "ADRESSE"), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(textField(form, "ADRESSE"), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(form->formInUse().formImagePath, first);
    EXPECT_EQ(formImageOf(form)->picture().size(), QSize(60, 40));
    EXPECT_TRUE(textField(form, "ADRESSE")->text().isEmpty());
}

TEST_F(ImageTest, EditingHandsTheImageToTheDesktopOrSaysItIsMissing)
{
    actionOf(form, "editFormImageAction")->trigger();
    EXPECT_EQ(session.fake.opened, QStringList{form->formInUse().formImagePath});

    const QString gone = form->formInUse().formImagePath;
    ASSERT_TRUE(QFile::remove(gone));
    actionOf(form, "editFormImageAction")->trigger();
    EXPECT_EQ(testDialogs().texts(QStringLiteral("information")),
              QStringList{QStringLiteral("Image \"%1\" non trouvée").arg(gone)});
    EXPECT_EQ(session.fake.opened.size(), 1);
}

TEST_F(ImageTest, TextOnlyHidesTheImageAndFittingTakesTheWorkAreasHeight)
{
    actionOf(form, "textOnlyAction")->trigger();
    EXPECT_TRUE(formImageOf(form)->isHidden());
    actionOf(form, "textOnlyAction")->trigger();
    EXPECT_FALSE(formImageOf(form)->isHidden());

    const int panelWidth = imagePanelOf(form)->width();
    const QPoint nom = textField(form, "NOM")->pos();
    session.fake.area = QRect(0, 0, 1600, 700);
    form->move(form->x(), 50);
    actionOf(form, "fitScreenHeightAction")->trigger();
    EXPECT_EQ(form->y(), 0);
    EXPECT_EQ(form->height(), 700);
    EXPECT_EQ(imagePanelOf(form)->size(), QSize(panelWidth, 700));
    EXPECT_EQ(formImageOf(form)->height(), 698);
    EXPECT_EQ(textField(form, "NOM")->pos(), nom);
}

} // namespace
