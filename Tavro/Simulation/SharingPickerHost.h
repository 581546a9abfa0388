#pragma once
// Test surface of the simulated SharingPicker backend (in TavroSimulation, never in the shipped
// program): a picker that is there, and the pickers asked for.

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
// Every request since the last reset, in order.
QList<Request> requests();
// As a desktop without a picker answers; reset() puts the picker back.
void setAvailable(bool available);
void reset();

} // namespace tavro::SharingPickerHost
