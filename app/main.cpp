#include "app/prompts.h"
#include "app/qtext.h"
#include "app/windows.h"
#include "i18n/messages.h"
#include "wizard/form5.h"
#include "wizard/rundata.h"

#include <QApplication>

#include <exception>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // The menu entry's id, by which a Wayland desktop matches the window to its entry and icon.
    QGuiApplication::setDesktopFileName("nl.tendrik.Kobalin");
    try {
        kobalin::RunData run;
        kobalin::Windows windows = kobalin::createWindows(run);
        windows.Form5->show();
        app.exec();
    } catch (const std::exception& e) {
        kobalin::prompts().error(nullptr, kobalin::qs(kobalin::errorMessage(kobalin::runLanguage(), e)));
    } catch (...) {
        kobalin::prompts().error(nullptr, QString());
    }
    return 0;
}
