#pragma once
// Stands for the process-info activity calls: a process declares work in progress so that the
// system neither naps it nor throttles it. Here the activities are only kept, so a running Tavro
// (and a test) can tell which are held.

#include <QList>
#include <QString>
#include <QtGlobal>

namespace tavro::ProcessActivity {

struct Activity
{
    quint64 token = 0;
    quint64 options = 0;
    QString reason;
};

// Begins an activity and returns its token; the activity lasts until `end` is called with it.
quint64 begin(quint64 options, const QString& reason);
void end(quint64 token);
QList<Activity> active();

} // namespace tavro::ProcessActivity
