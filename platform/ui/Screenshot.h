#pragma once
// Pictures of controls as they are drawn on screen (also offscreen).
#include <string>

#include "ui/Bitmap.h"

class TControl;

// Renders the control and its children into Bitmap at the control's size.
void GrabControl(TControl* Control, TBitmap& Bitmap);
// Renders the control into a PNG file; raises EInOutError on failure.
void SaveScreenshot(TControl* Control, const std::string& FileName);
