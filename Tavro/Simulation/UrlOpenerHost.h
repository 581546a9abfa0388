#pragma once
// Test surface of the simulated UrlOpener backend (in TavroSimulation, never in the shipped
// program): the addresses asked for.

#include <QList>
#include <QUrl>

namespace tavro::UrlOpenerHost {

// Routes UrlOpener through the simulation, which notes each address and hands all but web pages
// on to the system backend.
void install();
// Every address asked for since the last clear, in order.
QList<QUrl> openedUrls();
void clear();
// Whether the simulated desktop has pages of System Settings to open (as a Mac has; the default),
// or answers as this desktop does, where none opens.
void setSystemSettingsOpen(bool open);
// Nothing asked for, System Settings opening.
void reset();

} // namespace tavro::UrlOpenerHost
