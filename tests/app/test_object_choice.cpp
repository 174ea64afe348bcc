// Choosing a lane's object clears the row and shows the object's picture.
#include <QDir>
#include <QTemporaryDir>
#include <filesystem>

#include "LessonFixture.h"

using ObjectChoice = LessonTest;

TEST_F(ObjectChoice, TextNamingNoObjectLoadsNothingButStillResetsTheRow)
{
    form->Image1->SetLeft(300);
    Type(form->Edit1, "3");
    form->ComboBox1->setEditText(QStringLiteral("Я")); // before any choice
    EXPECT_EQ(form->Image1->Left(), 1);
    EXPECT_EQ(Text(form->Edit1), "");
    EXPECT_EQ(form->Image1->Picture().Width(), 142) << "the picture shown before stays";
    EXPECT_EQ(form->State.PictureName1, "");

    // Once a broken picture was chosen, further letters bring its box back no more.
    form->State.PictureName1 = "99.jpg";
    form->State.PictureName2 = "99.jpg";
    form->ComboBox1->setEditText(QStringLiteral("Ях"));
    form->ComboBox2->setEditText(QStringLiteral("Мото"));
    EXPECT_TRUE(form->Image2->Visible());
    form->CheckBox1->SetChecked(true);
    form->ComboBox2->setEditText(QStringLiteral("Мотоц"));
    EXPECT_TRUE(form->Image3->Visible());
    EXPECT_EQ(form->State.PictureName2, "99.jpg");
    EXPECT_TRUE(errors.empty()) << LastMessage();
}

TEST_F(ObjectChoice, MissingPictureFileKeepsThePreviousPicture)
{
    const int width = form->Image1->Picture().Width();
    const QString repository = QDir::currentPath();
    QTemporaryDir elsewhere; // no dris/ folder
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    form->ComboBox1->setEditText(QStringLiteral("Яхта"));
    QDir::setCurrent(repository);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(LastMessage().rfind("Cannot open file \"", 0), 0u) << LastMessage();
    EXPECT_NE(LastMessage().find(std::filesystem::path("/dris/6.jpg").make_preferred().string() + "\". "), std::string::npos) << LastMessage();
    EXPECT_EQ(form->Image1->Picture().Width(), width);
}

TEST_F(ObjectChoice, ChoosingInRowOneClearsTheRowAndLoadsThePicture)
{
    form->State.Pos1 = 40;
    Type(form->Edit1, "1");
    Type(form->Edit2, "2");
    Type(form->Edit3, "3");
    form->Image1->SetLeft(200);
    form->ComboBox1->setCurrentIndex(5); // "Яхта"
    EXPECT_TRUE(errors.empty()) << LastMessage();
    EXPECT_EQ(form->State.PictureName1, "6.jpg");
    EXPECT_EQ(form->State.Pos1, 0);
    EXPECT_EQ(form->Image1->Left(), 1);
    EXPECT_EQ(Text(form->Edit1) + Text(form->Edit2) + Text(form->Edit3), "");
}

TEST_F(ObjectChoice, TypedTextChangesThePictureOnlyWhenItNamesAnObject)
{
    form->ComboBox1->setEditText(QStringLiteral("Робот"));
    EXPECT_EQ(form->State.PictureName1, "11.jpg");
    form->ComboBox1->setEditText(QStringLiteral("А"));
    EXPECT_EQ(form->State.PictureName1, "11.jpg");
    form->ComboBox1->setEditText(QStringLiteral("Автомобиль"));
    EXPECT_EQ(form->State.PictureName1, "1.jpg");
    form->ComboBox1->setEditText(QStringLiteral("car")); // letter case counts
    EXPECT_EQ(form->State.PictureName1, "1.jpg");
    form->ComboBox1->setEditText(QStringLiteral("Plane"));
    EXPECT_EQ(form->State.PictureName1, "8.jpg");
    EXPECT_TRUE(errors.empty()) << LastMessage();
}

TEST_F(ObjectChoice, RowTwoNormalAndEmpty)
{
    form->ComboBox2->setEditText(QStringLiteral("Турист"));
    EXPECT_TRUE(errors.empty()) << LastMessage();
    EXPECT_TRUE(form->Image2->Visible());
    EXPECT_FALSE(form->Image3->Visible());
    EXPECT_EQ(form->Image2->Left(), 1);
    EXPECT_EQ(form->State.PictureName2, "5.jpg");
    form->ComboBox2->setEditText(QStringLiteral("It is empty"));
    EXPECT_FALSE(form->Image2->Visible());
    EXPECT_EQ(form->State.PictureName2, "5.jpg");
}

TEST_F(ObjectChoice, TowardsModeShowsTheMirroredPictureAtTheRight)
{
    form->CheckBox1->SetChecked(true);
    EXPECT_TRUE(form->Image3->Visible());
    EXPECT_EQ(form->Image3->Picture().Width(), 0) << "no towards picture was ever loaded";
    form->ComboBox2->setEditText(QStringLiteral("Турист"));
    EXPECT_TRUE(errors.empty()) << LastMessage();
    EXPECT_EQ(form->State.PictureName2, "105.jpg");
    EXPECT_TRUE(form->Image3->Visible());
    EXPECT_FALSE(form->Image2->Visible());
    EXPECT_EQ(form->Image3->Left(), 534);
    EXPECT_GT(form->Image3->Picture().Width(), 0);

    form->ComboBox2->setEditText(QStringLiteral("Пусто"));
    EXPECT_FALSE(form->CheckBox1->Checked());
    EXPECT_FALSE(form->Image2->Visible());
    EXPECT_FALSE(form->Image3->Visible());
}

TEST_F(ObjectChoice, CheckBoxOnlySwitchesVisibility)
{
    form->CheckBox1->SetChecked(true);
    EXPECT_FALSE(form->Image2->Visible());
    EXPECT_TRUE(form->Image3->Visible());
    form->CheckBox1->SetChecked(false);
    EXPECT_TRUE(form->Image2->Visible());
    EXPECT_FALSE(form->Image3->Visible());
    EXPECT_EQ(form->State.PictureName2, "");
}

TEST_F(ObjectChoice, ChangingAnObjectRestartsARunningRow)
{
    Type(form->Edit1, "3");
    Type(form->Edit2, "60");
    PressStart();
    for (int i = 0; i < 5; ++i)
        form->Timer1Timer(form->Timer1);
    form->ComboBox1->setEditText(QStringLiteral("Трактор"));
    EXPECT_EQ(form->State.Pos1, 0);
    EXPECT_TRUE(form->Timer1->Enabled());
    EXPECT_EQ(form->State.Step1, 6);
    form->Timer1Timer(form->Timer1);
    EXPECT_EQ(form->Image1->Left(), 6);
}
