#include "plot/editor/kEditorFileName.h"

bool EndsWithDirectory(const std::string& Name)
{
    return !Name.empty() && (Name.back() == '/' || Name.back() == '\\');
}
