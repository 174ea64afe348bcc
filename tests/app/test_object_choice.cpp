// Choosing a lane's object clears the row and shows the object's picture.
#include <QAbstractItemView>
#include <QDir>
#include <QTest>
#include <QTemporaryDir>
#include <filesystem>

#include "LessonFixture.h"

using ObjectChoice = LessonTest;

TEST_F(ObjectChoice, TextNamingNoObjectLoadsNothingButStillResetsTheRow)
{
    form->UpperLane.Picture->SetLeft(300);
    Type(form->UpperLane.Time, "3");
    form->UpperLane.ObjectList->setEditText(QStringLiteral("Я")); // before any choice
    EXPECT_EQ(form->UpperLane.Picture->Left(), 1);
    EXPECT_EQ(Text(form->UpperLane.Time), "");
    EXPECT_EQ(form->UpperLane.Picture->Picture().Width(), 142) << "the picture shown before stays";

    // Further letters of a name bring its picture's box back.
    form->UpperLane.ObjectList->setEditText(QStringLiteral("Ях"));
    form->LowerLane.ObjectList->setEditText(QStringLiteral("Мото"));
    EXPECT_TRUE(form->LowerLane.Picture->Visible());
    form->LowerLane.TowardsBox->setChecked(true);
    form->LowerLane.ObjectList->setEditText(QStringLiteral("Мотоц"));
    EXPECT_TRUE(form->LowerLane.TowardsPicture->Visible());
    EXPECT_TRUE(errors.empty()) << LastMessage();
}

TEST_F(ObjectChoice, MissingPictureFileKeepsThePreviousPicture)
{
    const int width = form->UpperLane.Picture->Picture().Width();
    const QString repository = QDir::currentPath();
    QTemporaryDir elsewhere; // no dris/ folder
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    form->UpperLane.ObjectList->setEditText(QStringLiteral("Яхта"));
    QDir::setCurrent(repository);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(LastMessage().rfind("Cannot open file \"", 0), 0u) << LastMessage();
    EXPECT_NE(LastMessage().find(std::filesystem::path("/dris/6.jpg").make_preferred().string() + "\". "), std::string::npos) << LastMessage();
    EXPECT_EQ(form->UpperLane.Picture->Picture().Width(), width);
}

TEST_F(ObjectChoice, ChoosingInRowOneClearsTheRowAndLoadsThePicture)
{
    Type(form->UpperLane.Time, "1");
    Type(form->UpperLane.Speed, "2");
    Type(form->UpperLane.Distance, "3");
    form->UpperLane.Picture->SetLeft(200);
    form->UpperLane.ObjectList->setCurrentIndex(5); // "Яхта"
    EXPECT_TRUE(errors.empty()) << LastMessage();
    EXPECT_EQ(form->UpperLane.Picture->Left(), 1);
    EXPECT_EQ(Text(form->UpperLane.Time) + Text(form->UpperLane.Speed) + Text(form->UpperLane.Distance), "");

    // Picking the object already shown, from the open list, chooses it again: a teacher
    // clears a row so, also after a language switch that kept the object's name.
    const auto pickFromList = [](TComboBox* list, int item) {
        list->showPopup();
        list->view()->setCurrentIndex(list->model()->index(item, 0));
        QTest::keyClick(list->view(), Qt::Key_Return);
    };
    QTest::mouseClick(form->SwitchToEnglish, Qt::LeftButton, {}, QPoint(5, 8));
    ASSERT_EQ(form->UpperLane.ObjectList->Utf8Text(), "Yacht");
    Type(form->UpperLane.Time, "3");
    const TGraphic* before = form->UpperLane.Picture->Picture().Graphic();
    pickFromList(form->UpperLane.ObjectList, 5);
    EXPECT_EQ(Text(form->UpperLane.Time), "");
    EXPECT_NE(form->UpperLane.Picture->Picture().Graphic(), before) << "the yacht loaded again";
    Type(form->LowerLane.Time, "5");
    Type(form->LowerLane.Speed, "5");
    pickFromList(form->LowerLane.ObjectList, 0); // "Car", shown since the start
    EXPECT_EQ(Text(form->LowerLane.Time) + Text(form->LowerLane.Speed), "");
    EXPECT_TRUE(errors.empty()) << LastMessage();
}

TEST_F(ObjectChoice, TowardsModeShowsTheMirroredPictureAtTheRight)
{
    form->LowerLane.TowardsBox->setChecked(true);
    EXPECT_TRUE(form->LowerLane.TowardsPicture->Visible());
    EXPECT_EQ(form->LowerLane.TowardsPicture->Picture().Width(), 0) << "no towards picture was ever loaded";
    form->LowerLane.ObjectList->setEditText(QStringLiteral("Турист"));
    EXPECT_TRUE(errors.empty()) << LastMessage();
    EXPECT_TRUE(form->LowerLane.TowardsPicture->Visible());
    EXPECT_FALSE(form->LowerLane.Picture->Visible());
    EXPECT_EQ(form->LowerLane.TowardsPicture->Left(), 534);
    EXPECT_GT(form->LowerLane.TowardsPicture->Picture().Width(), 0);

    form->LowerLane.ObjectList->setEditText(QStringLiteral("Пусто"));
    EXPECT_FALSE(form->LowerLane.TowardsBox->isChecked());
    EXPECT_FALSE(form->LowerLane.Picture->Visible());
    EXPECT_FALSE(form->LowerLane.TowardsPicture->Visible());
}

TEST_F(ObjectChoice, CheckBoxOnlySwitchesVisibility)
{
    form->LowerLane.TowardsBox->setChecked(true);
    EXPECT_FALSE(form->LowerLane.Picture->Visible());
    EXPECT_TRUE(form->LowerLane.TowardsPicture->Visible());
    form->LowerLane.TowardsBox->setChecked(false);
    EXPECT_TRUE(form->LowerLane.Picture->Visible());
    EXPECT_FALSE(form->LowerLane.TowardsPicture->Visible());
    EXPECT_EQ(form->State().Lower().TowardsObject, nullptr);
}

TEST_F(ObjectChoice, ChangingAnObjectRestartsARunningRow)
{
    Type(form->UpperLane.Time, "3");
    Type(form->UpperLane.Speed, "60");
    PressStart();
    for (int i = 0; i < 5; ++i)
        form->LaneTick(form->UpperLane);
    form->UpperLane.ObjectList->setEditText(QStringLiteral("Трактор"));
    EXPECT_EQ(form->State().Upper().Position, 0);
    EXPECT_TRUE(form->UpperLane.Timer->Enabled());
    EXPECT_EQ(form->State().Upper().Step, 6);
    form->LaneTick(form->UpperLane);
    EXPECT_EQ(form->UpperLane.Picture->Left(), 6);
}
