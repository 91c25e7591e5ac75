// The program's start, as app/main.cpp does it, up to the wizard window's
// first paint: the start-up figure of the benchmarks.
#include "firstpaint.h"

#include "app/windows.h"
#include "wizard/form5.h"
#include "wizard/rundata.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    kobalin::RunData run;
    kobalin::Windows windows = kobalin::createWindows(run);
    FirstPaint painted(windows.Form5.get());
    windows.Form5->show();
    return app.exec();
}
