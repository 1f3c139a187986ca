#include "desktop/gui/window_links.h"

#include "desktop/gui/curview.h"
#include "desktop/gui/parvixfscan.h"

void linkWindows(TForm1& mainWindow, TCurForm& plotWindow) {
  QObject::connect(&mainWindow, &TForm1::plotWindowWanted, &plotWindow, &TCurForm::show);
  QObject::connect(&mainWindow, &TForm1::plotsMade, &plotWindow, &TCurForm::showNewPlots);
}
