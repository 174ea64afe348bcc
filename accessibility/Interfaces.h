// The interfaces this folder gives the toolkit's controls, one file each; Install.cpp
// picks them.
#pragma once

#include <QAccessible>
#include <QLocale>
#include <QString>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;

// A window, a panel or a plain client area: its children without the decoration.
QAccessibleInterface* ContainerInterface(QWidget* container, QAccessible::Role role);
QAccessibleInterface* ListInterface(QComboBox* list);
QAccessibleInterface* EditInterface(QLineEdit* edit);
QAccessibleInterface* LinkInterface(QLabel* label);
// A TImage, which tells where its picture is through its pictureRect property.
QAccessibleInterface* ImageInterface(QWidget* image);
// The window's announcement (Announce.h), or nullptr for any other widget.
QAccessibleInterface* AnnouncementInterface(QWidget* widget);

bool IsDecoration(const QObject* object);

// A text's one attribute: its language, the control's locale's (en, ru), which a screen
// reader takes the voice for it from.
inline QString LanguageAttribute(const QWidget& control)
{
    return QStringLiteral("language:") + control.locale().bcp47Name();
}

// Qt makes a control's interface at its first accessibility event, which may come
// while the control is still being built, before it was marked; the next query
// then makes it anew, through the factory.
inline void ForgetInterface(QObject* object)
{
    if (QAccessibleInterface* known = QAccessible::queryAccessibleInterface(object))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(known));
}
