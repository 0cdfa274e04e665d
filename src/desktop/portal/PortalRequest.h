#pragma once

#include <QObject>
#include <QString>
#include <QVariantMap>

/// One request to a desktop portal (org.freedesktop.portal.Desktop). Its answer comes as a
/// Response signal on an object of the request's own, named after the caller and its token, so
/// it is listened for before the request is made and cannot be missed.
class PortalRequest final : public QObject
{
    Q_OBJECT

public:
    /// Listens on the session bus for the answer to the request that \a token names.
    explicit PortalRequest(const QString& token, QObject* parent = nullptr);
    ~PortalRequest() override;

    /// The request's object as the portal named it in its reply: an older portal names it its
    /// own way, and its answer then comes there.
    void answeredAt(const QString& path);

signals:
    /// The portal's answer: code 0 is granted, 1 cancelled by the user, 2 refused otherwise.
    void answered(uint code, const QVariantMap& results);

private slots:
    void response(uint code, const QVariantMap& results);

private:
    bool listen(bool on);

    QString m_path;
};
