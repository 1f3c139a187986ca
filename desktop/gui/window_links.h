// How the two windows reach each other: besides the state they share, only
// through these connections. The main window's plot button shows the plot
// window again, or has it load and show the plots of a new run.
#pragma once

class TCurForm;
class TForm1;

void linkWindows(TForm1& mainWindow, TCurForm& plotWindow);
