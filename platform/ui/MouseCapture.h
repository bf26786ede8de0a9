#pragma once
// The mouse capture: at most one widget of the program gets every mouse
// event until it is released. Apart from the controls so that menus, which
// take the mouse from whoever held it, need no control.
class QWidget;

// Gives the capture to W, taking it from the widget that held it.
void CaptureMouse(QWidget* W);
// The widget holding the capture, or null.
QWidget* MouseCaptureWidget();
// Releases the mouse capture of whichever control holds it.
void ReleaseCapture();
