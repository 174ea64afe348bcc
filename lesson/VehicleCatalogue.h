// The twelve moving objects a lane can show, and the lower lane's empty entry.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "lesson/LanguageTable.h"

namespace Lesson {

struct Vehicle {
    int Number;               // names the picture files: n.jpg, and (100 + n).jpg facing left
    std::string_view Russian;
    std::string_view English;
    // The one place that picks a Russian or an English text.
    std::string_view Name(Language language) const { return language == Language::English ? English : Russian; }
};

namespace VehicleCatalogue {

inline constexpr std::array<Vehicle, 12> Vehicles{{
    {1, "Автомобиль", "Car"},
    {2, "Грузовик", "Truck"},
    {3, "Трактор", "Tractor"},
    {4, "Мотоцикл", "Motorcycle"},
    {5, "Турист", "Tourist"},
    {6, "Яхта", "Yacht"},
    {7, "Корабль", "Ship"},
    {8, "Самолет", "Plane"},
    {9, "Вертолет", "Helicopter"},
    {10, "Воздушный шар", "Balloon"},
    {11, "Робот", "Robot"},
    {12, "Космический корабль", "Spaceship"},
}};

// The lower list's empty entry, named as the objects are; it shows no picture.
inline constexpr Vehicle EmptyEntry{0, "Пусто", "It is empty"};

// Pictures are read from this folder under the current working folder.
inline constexpr std::string_view PictureFolder = "dris/";

inline bool IsEmptyEntry(std::string_view text)
{
    return text == EmptyEntry.Russian || text == EmptyEntry.English;
}

// The picture file of object NUMBER, facing left where TOWARDS.
inline std::string PictureFile(int number, bool towards)
{
    return std::to_string(towards ? 100 + number : number) + ".jpg";
}

// The object a list text names, in either language, letter case included; nullptr when none.
inline const Vehicle* FindByName(std::string_view name)
{
    for (const Vehicle& v : Vehicles)
        if (name == v.Russian || name == v.English)
            return &v;
    return nullptr;
}

} // namespace VehicleCatalogue
} // namespace Lesson
