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

} // namespace tavro::UrlOpenerHost
