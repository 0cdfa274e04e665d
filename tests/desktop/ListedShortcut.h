#pragma once

#include <QDBusArgument>
#include <QMetaType>
#include <QVariantMap>

/// A global shortcut as the desktop's portal passes it on the bus: (sa{sv}).
struct ListedShortcut
{
    QString id;
    QVariantMap properties;
};

inline QDBusArgument& operator<<(QDBusArgument& argument, const ListedShortcut& shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

inline const QDBusArgument& operator>>(const QDBusArgument& argument, ListedShortcut& shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

Q_DECLARE_METATYPE(ListedShortcut)
