#include "lesson/LanguageTable.h"

namespace Lesson {
namespace {

constexpr LessonTexts Russian{
    .Language = Language::Russian,
    .Title = "Движение во времени",
    .Start = "Старт",
    .CribMenu = "Шпаргалка",
    .HelpMenu = "Помощь",
    .AboutMenu = "О программе",
    .ExitMenu = "Выход",
    .Download = "Скачать эту и другие программы на сайте: ",
    .AboutCaption = "О программе",
    .School = "Учебные программы Velmora",
    .AboutTitle = "Движение во времени",
    .Description = {"Демонстрационная", "программа по математике", "для учащихся 4-х классов"},
    .Author = "Автор: команда Velmora",
    .Supervisor = "Руководитель: совет Velmora",
    .Place = "Свободная программа для школ",
    .CribCaption = "Шпаргалка",
    .CribHeading = "СКОРОСТЬ. ВРЕМЯ. РАССТОЯНИЕ.",
    .ListText = "Автомобиль",
    .Accessible =
        {
            .UpperFields = {"Время t, верхняя дорожка", "Скорость v, верхняя дорожка", "Расстояние s, верхняя дорожка"},
            .LowerFields = {"Время t, нижняя дорожка", "Скорость v, нижняя дорожка", "Расстояние s, нижняя дорожка"},
            .UpperList = "Объект, верхняя дорожка",
            .LowerList = "Объект, нижняя дорожка",
            .UpperLane = "Верхняя дорожка",
            .LowerLane = "Нижняя дорожка",
            .Towards = "Навстречу",
            .RussianBox = "Русский язык",
            .EnglishBox = "Английский язык",
            .LanguageName = "Русский",
            .Description = "Описание",
        },
    .AtStart =
        {
            .AboutMenu = "О програме",
            .Description = {"      Демонстрационная ", "      программа по математике ",
                            "      для учащихся 4-х классов"},
        },
};

constexpr LessonTexts English{
    .Language = Language::English,
    .Title = "Movement in time",
    .Start = "Start",
    .CribMenu = "Crib",
    .HelpMenu = "Help",
    .AboutMenu = "About the program",
    .ExitMenu = "Exit",
    .Download = "To download this and other programs on a site:",
    .AboutCaption = "About the program",
    .School = "Velmora teaching programs",
    .AboutTitle = "Movement  in  time",
    .Description = {"The demonstration", "program on the mathematician", "for pupils of 4 classes"},
    .Author = "Author: the Velmora team",
    .Supervisor = "Supervisor: the Velmora board",
    .Place = "Free software for schools",
    .CribCaption = "Crib",
    .CribHeading = "SPEED. TIME. DISTANCE.",
    .ListText = "Car",
    .Accessible =
        {
            .UpperFields = {"Time t, upper lane", "Speed v, upper lane", "Distance s, upper lane"},
            .LowerFields = {"Time t, lower lane", "Speed v, lower lane", "Distance s, lower lane"},
            .UpperList = "Object, upper lane",
            .LowerList = "Object, lower lane",
            .UpperLane = "Upper lane",
            .LowerLane = "Lower lane",
            .Towards = "Towards",
            .RussianBox = "Russian language",
            .EnglishBox = "English language",
            .LanguageName = "English",
            .Description = "Description",
        },
    .AtStart = {}, // the program never starts in English
};

} // namespace

const LessonTexts& LanguageTable(Language language)
{
    return language == Language::English ? English : Russian;
}
} // namespace Lesson
