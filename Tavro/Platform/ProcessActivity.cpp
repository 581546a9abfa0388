#include "Tavro/Platform/ProcessActivity.h"

namespace tavro::ProcessActivity {

namespace {
QList<Activity>& activities()
{
    static QList<Activity> list;
    return list;
}
quint64 g_nextToken = 1;
} // namespace

quint64 begin(quint64 options, const QString& reason)
{
    const quint64 token = g_nextToken++;
    activities().append(Activity{token, options, reason});
    return token;
}

void end(quint64 token)
{
    activities().removeIf([token](const Activity& activity) { return activity.token == token; });
}

QList<Activity> active()
{
    return activities();
}

} // namespace tavro::ProcessActivity
