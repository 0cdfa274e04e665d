#pragma once

#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>

/// The desktop's notifications: a few words with a picture and buttons, shown by whatever
/// notification server the desktop runs. Without one nothing is shown and nothing fails.
class Notifications : public QObject
{
    Q_OBJECT

public:
    /// A button of a notification: the key it answers with, and its label.
    struct Action
    {
        QString key;
        QString label;
    };

    /// Shows \a summary and \a body with \a picture (null for none) and \a actions, in place of
    /// the notification shown before, if it is still there. \a about names what the
    /// notification is about; an action chosen comes back with it.
    virtual void notify(const QString& summary, const QString& body, const QImage& picture,
                        const QList<Action>& actions, const QString& about) = 0;
    /// Takes the notification shown last off the screen, and drops one still on its way; \a gone
    /// runs once it is gone: at once when none is shown, at the latest after a second for a
    /// server that does not say.
    virtual void withdraw(std::function<void()> gone) = 0;

signals:
    /// The user chose the action \a key on the notification about \a about.
    void actionInvoked(const QString& about, const QString& key);
};
