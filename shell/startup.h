// Start-up and shutdown: from the process's entry to the event loop and back
// to the exit status. Everything runs on the one UI thread.
#pragma once

#include "framework/application.h"

#include <exception>
#include <span>

// The whole run, as the process's entry calls it: starts the runtime, runs
// the module initialisers and Main, then finalises whatever Main left
// behind and returns the runtime's exit status. The application defines no
// command-line arguments; the runtime honours its own (such as -platform).
int ApplicationMain(int& argc, char** argv);

// The module initialisers, in the order they run: the file-type set's
// fields, then the class records of the application's classes.
std::span<const fw::ModuleInitializer> ModuleInitializers();

// Top-level start-up, given the exception that escaped the module
// initialisers, if any: reports that one at once and does nothing else.
// Otherwise registers the exception helper and the runtime version, runs the
// early steps, the framework's initialisation and the event loop through
// that helper, and reports an exception that escapes them. Returns when the
// event loop has ended or a step failed.
void Main(std::exception_ptr failure);

// The steps before the framework's initialisation, in order: high-resolution
// support, the framework's external classes and plug-in entry points, the
// file types, the application object, its menu handlers.
void EarlyStartup();
void InitFileTypes();
// Makes the one application object, gives it its version data and menu bar
// and registers it.
void NewAppInstance();
// Registers the application's handlers of the two About items.
void ApplicationAddMenuHandlers();

// Called by the framework once its initialisation is complete: opens the
// About window, the first window on screen.
void LateStartup();
void MakeDefaultView();
