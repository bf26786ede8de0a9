#pragma once
// File names as the editors' file pickers hand them to their dialogs.
#include <string>

// Whether Name names a directory rather than a file in it.
bool EndsWithDirectory(const std::string& Name);
