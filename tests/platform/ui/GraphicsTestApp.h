#pragma once
// A Qt application for drawing tests (fonts and palette need one).
#include <QApplication>

inline void EnsureGraphicsTestApp()
{
    if (QApplication::instance())
        return;
    static int Argc = 1;
    static char Name[] = "graphics-test";
    static char* Argv[] = {Name, nullptr};
    static QApplication App(Argc, Argv);
}
