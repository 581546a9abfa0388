#pragma once
// Test surface of the simulated Application backend (in TavroSimulation, never in the shipped
// program): the activation policy last set and how often the application was brought forward.

#include "Tavro/Platform/Application.h"

namespace tavro::ApplicationHost {

// Routes Application through the simulation, which keeps the policy and counts each activation,
// then hands both to the system backend.
void install();
Application::ActivationPolicy activationPolicy();
// How often the application was brought forward in this run.
int activationCount();
// A regular application, never brought forward.
void reset();

} // namespace tavro::ApplicationHost
