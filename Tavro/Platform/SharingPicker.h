#pragma once
// Stands for the sharing-service picker (NSSharingServicePicker): the system's menu of ways to share
// some items, shown next to a view. This desktop has no such picker: the system backend says so,
// and logs a request that comes all the same and shows nothing.

#include <QList>
#include <QRect>
#include <QUrl>

class QWidget;

namespace tavro::SharingPicker {

// The side of the rectangle the picker prefers to open on, named as on a Mac, where y grows upwards:
// maxY is the rectangle's top.
enum class Edge { minX, minY, maxX, maxY };

// What show() goes through.
class Backend
{
public:
    virtual ~Backend() = default;
    virtual bool isAvailable() = 0;
    virtual void show(const QList<QUrl>& items, QWidget* view, const QRect& rect, Edge preferredEdge) = 0;
};
Backend& systemBackend();
// Routes show() to `backend` (not owned); nullptr puts the system backend back.
void setBackend(Backend* backend);

// Whether the system has a picker to show: without one, nothing should offer it.
bool isAvailable();
// Offers the ways to share `items`, next to `rect` of `view`.
void show(const QList<QUrl>& items, QWidget* view, const QRect& rect, Edge preferredEdge);

} // namespace tavro::SharingPicker
