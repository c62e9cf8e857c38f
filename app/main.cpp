// Program start of the configurator.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Brivexcorp - Configurator RIVA101 - EtherCAT Slave / Modbus Master ");
    window.resize(694, 484);
    window.show();
    return app.exec();
}
