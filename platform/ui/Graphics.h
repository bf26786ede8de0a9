#pragma once
// All of the drawing side in one include.
#include "rtl/Types.h"
#include "ui/Bitmap.h"
#include "ui/Brush.h"
#include "ui/Canvas.h"
#include "ui/Color.h"
#include "ui/Font.h"
#include "ui/Graphic.h"
#include "ui/Pen.h"
