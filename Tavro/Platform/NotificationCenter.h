#pragma once
// Stands for the default notification centre: named notifications, delivered to observers
// on the thread that posts them (observers that live on another thread get them queued).

#include <QObject>
#include <QString>
#include <QVariant>

namespace tavro {

class NotificationCenter : public QObject
{
    Q_OBJECT
public:
    explicit NotificationCenter(QObject* parent = nullptr);

    static NotificationCenter& defaultCenter();

    void post(const QString& name, const QVariant& payload = {});

Q_SIGNALS:
    void posted(const QString& name, const QVariant& payload);
};

} // namespace tavro
