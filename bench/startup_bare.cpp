// The floors of the start-up figure: Qt showing an empty window. With
// "--text" the window holds one line of text, which costs Qt its font set-up:
// the part of the program's start that any window with words in it pays.
// With "--step1" it holds what the wizard's first step shows in words, in the
// same fonts: banner, title, explanation, hint and the three buttons.
#include "firstpaint.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include <cstring>

namespace {

QLabel* label(const char* text, int pixelSize, bool italic)
{
    auto* l = new QLabel(text);
    QFont font = QApplication::font();
    font.setPixelSize(pixelSize);
    font.setItalic(italic);
    l->setFont(font);
    l->setWordWrap(true);
    return l;
}

void addFirstStep(QWidget& window)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPixelSize(13);
    QApplication::setFont(font);
    auto* column = new QVBoxLayout(&window);
    column->addWidget(label("Layer file", 27, true));
    column->addWidget(label("Welcome to the wizard for creating the layer file for MC1", 19, true));
    column->addWidget(
        label("Follow the various steps to select the correct layers, determine the values and add them to the layer file.",
              16, true));
    column->addStretch();
    column->addWidget(label("Choose >> to continue to the next step.", 13, false));
    auto* buttons = new QHBoxLayout;
    for (const char* caption : {"<< Back", ">> Continue", "Abort"})
        buttons->addWidget(new QPushButton(caption));
    column->addLayout(buttons);
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(1184, 661);  // the wizard window's size
    const char* mode = argc > 1 ? argv[1] : "";
    if (std::strcmp(mode, "--text") == 0)
        new QLabel("Layer file", &window);
    else if (std::strcmp(mode, "--step1") == 0)
        addFirstStep(window);
    FirstPaint painted(&window);
    window.show();
    return app.exec();
}
