// The program's start, as app/main.cpp does it, up to the wizard window's
// first paint with its texts, after its initialisation: the start-up figure of
// the benchmarks.
#include "firstpaint.h"

#include "app/windows.h"
#include "wizard/form5.h"
#include "wizard/rundata.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    // It is the program: started by hand it would use the user's own settings.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (!config || !*config) {
        std::fputs("kobalin_bench_startup is started by kobalin_bench, with a settings folder of its own\n", stderr);
        return 2;
    }
    QApplication app(argc, argv);
    kobalin::RunData run;
    kobalin::Windows windows = kobalin::createWindows(run);
    FirstPaint painted(windows.Form5.get(), [&run] { return run.pagina == 1; });
    windows.Form5->show();
    return app.exec();
}
