// Program start of the configurator: every form once, the main window first, then the message loop
// until the main window closes.
#include "app/UFormOrder.h"
#include "platform/controls/Forms.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Application->Initialize();
    Application->MainFormOnTaskBar = true;
    Create_Forms(QString());
    Application->Run();
    Destroy_Forms();
    return 0;
}
