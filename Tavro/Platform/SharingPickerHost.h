#pragma once
// Test surface of the simulated SharingPicker backend (in TavroSimulation, never in the shipped
// program): the pickers asked for.

#include "Tavro/Platform/SharingPicker.h"

#include <QPointer>
#include <QWidget>

namespace tavro::SharingPickerHost {

struct Request
{
    QList<QUrl> items;
    QPointer<QWidget> view;
    QRect rect;
    SharingPicker::Edge preferredEdge;
};

void install();
// Every request since the last clear, in order.
QList<Request> requests();
void clear();

} // namespace tavro::SharingPickerHost
