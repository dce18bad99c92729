#pragma once
// The program's entry point: start-up, the main window and the event loop.
int Main(int argc, char** argv);
