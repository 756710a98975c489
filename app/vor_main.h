#pragma once
// The process entry, run on whichever desktop main installs.

class Desktop;

// Runs the client until its window closes; returns the process's exit code.
int VorMain(Desktop& desktop);
