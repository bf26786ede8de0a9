#include "ui/Dialogs.h"

#include "ui/Application.h"

void ShowMessage(const std::string& Text)
{
    Application->MessageBox(Text, Application->GetTitle(), MB_OK);
}
