#include "app/LanguageTable.h"

namespace {

constexpr LessonTexts Russian{
    "Движение во времени",
    "Старт",
    "Шпаргалка",
    "Помощь",
    "О программе",
    "Выход",
    "Скачать эту и другие программы на сайте: ",
    "О программе",
    "Учебные программы Velmora",
    "Движение во времени",
    {"Демонстрационная", "программа по математике", "для учащихся 4-х классов"},
    "Автор: команда Velmora",
    "Руководитель: совет Velmora",
    "Свободная программа для школ",
    "Шпаргалка",
    "СКОРОСТЬ. ВРЕМЯ. РАССТОЯНИЕ.",
    false,
    "Автомобиль",
    {
        {"Время t, верхняя дорожка", "Скорость v, верхняя дорожка", "Расстояние s, верхняя дорожка"},
        {"Время t, нижняя дорожка", "Скорость v, нижняя дорожка", "Расстояние s, нижняя дорожка"},
        "Объект, верхняя дорожка",
        "Объект, нижняя дорожка",
        "Верхняя дорожка",
        "Нижняя дорожка",
        "Навстречу",
        "Русский язык",
        "Английский язык",
    },
};

constexpr LessonTexts English{
    "Movement in time",
    "Start",
    "Crib",
    "Help",
    "About the program",
    "Exit",
    "To download this and other programs on a site:",
    "About the program",
    "Velmora teaching programs",
    "Movement  in  time",
    {"The demonstration", "program on the mathematician", "for pupils of 4 classes"},
    "Author: the Velmora team",
    "Supervisor: the Velmora board",
    "Free software for schools",
    "Crib",
    "SPEED. TIME. DISTANCE.",
    true,
    "Car",
    {
        {"Time t, upper lane", "Speed v, upper lane", "Distance s, upper lane"},
        {"Time t, lower lane", "Speed v, lower lane", "Distance s, lower lane"},
        "Object, upper lane",
        "Object, lower lane",
        "Upper lane",
        "Lower lane",
        "Towards",
        "Russian language",
        "English language",
    },
};

} // namespace

const LessonTexts& LanguageTable(Language language)
{
    return language == Language::English ? English : Russian;
}
