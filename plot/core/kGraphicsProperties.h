#pragma once
// Publishes the properties of the drawing tools (font, pen, brush), so that
// property files and dotted names such as Font.Color reach them.
void RegisterGraphicsProperties();
