// The floor of the start-up figure: Qt showing an empty window. With
// "--text" the window holds one line of text, which costs Qt its font set-up:
// the part of the program's start that any window with words in it pays.
#include "firstpaint.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(1184, 661);  // the wizard window's size
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0)
        new QLabel("Layer file", &window);
    FirstPaint painted(&window);
    window.show();
    return app.exec();
}
