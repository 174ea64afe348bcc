// The twelve moving objects a lane can show, and the lower lane's empty entry.
#pragma once

#include <array>
#include <string>
#include <string_view>

struct Vehicle {
    int Number;               // names the picture files: n.jpg, and (100 + n).jpg facing left
    std::string_view Russian;
    std::string_view English;
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

inline constexpr std::string_view EmptyRussian = "Пусто";
inline constexpr std::string_view EmptyEnglish = "It is empty";

// Pictures are read from this folder under the current working folder.
inline constexpr std::string_view PictureFolder = "dris/";

inline bool IsEmptyEntry(std::string_view text)
{
    return text == EmptyRussian || text == EmptyEnglish;
}

inline std::string PictureName(int number)
{
    return std::to_string(number) + ".jpg";
}

inline std::string TowardsPictureName(int number)
{
    return std::to_string(100 + number) + ".jpg";
}

// The object a list text names, in either language, letter case included; nullptr when none.
inline const Vehicle* FindByName(std::string_view name)
{
    for (const Vehicle& v : Vehicles)
        if (name == v.Russian || name == v.English)
            return &v;
    return nullptr;
}

// The object a picture file shows, facing either way; nullptr when none.
inline const Vehicle* FindByPicture(std::string_view pictureName)
{
    for (const Vehicle& v : Vehicles)
        if (pictureName == PictureName(v.Number) || pictureName == TowardsPictureName(v.Number))
            return &v;
    return nullptr;
}

} // namespace VehicleCatalogue
