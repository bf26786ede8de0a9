// The program block: creates the forms in order and runs the message loop
// until the main form closes. The application object owns the forms and
// frees them, the last made first, when the program ends; the form
// pointers only point at them.
#include "app/DeviceListUnit.h"
#include "app/MainUnit.h"
#include "app/NewDeviceUnit.h"
#include "app/SetupUnit.h"
#include "ui/Application.h"

int main()
{
    Application->Initialize();
    Application->CreateForm(frmMain);
    Application->CreateForm(frmSetup);
    Application->CreateForm(frmDeviceList);
    Application->CreateForm(frmNewDevice);
    Application->Run();
    return 0;
}
