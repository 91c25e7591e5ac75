#pragma once

#include <QString>

class QWidget;

// Every text of the window's shown controls fits its control, in the font the
// window is designed with, each control lies inside its containers and none
// covers another; where names the window's state in the failures.
void expectFits(QWidget* window, const QString& where);
