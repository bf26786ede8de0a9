#pragma once
// The plain message of the program, answered through the dialog seam.
#include <string>

// Shows Text in a message box with the application's title.
void ShowMessage(const std::string& Text);
