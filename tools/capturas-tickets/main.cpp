// Draws the pharmacy ticket windows into PNG files, with a consumption answered by
// tarsa-terminal-sim:  tarsa-capturas-tickets <output dir> <TarsaCliente.mdb> <tarsa-terminal-sim>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFocusEvent>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <cstdio>

#include "core/modTarsa.h"
#include "platform/ui/Modal.h"
#include "tickets/frmTicketFarmacia.h"

namespace {

QString gSalida;

void Esperar(int ms) {
    QElapsedTimer reloj;
    reloj.start();
    while (reloj.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

void Capturar(QWidget* w, const QString& nombre) {
    w->show();
    w->raise();
    Esperar(300);
    const QString ruta = QDir(gSalida).filePath(nombre);
    if (!w->grab().save(ruta)) std::fprintf(stderr, "cannot save %s\n", qPrintable(ruta));
}

void Escribir(QObject* padre, const char* nombre, const QString& texto) {
    if (auto* campo = padre->findChild<QLineEdit*>(nombre)) campo->setText(texto);
}

void Elegir(QObject* padre, const char* nombre, const QString& comienzo) {
    if (auto* lista = padre->findChild<QComboBox*>(nombre))
        for (int i = 0; i < lista->count(); ++i)
            if (lista->itemText(i).startsWith(comienzo)) lista->setCurrentIndex(i);
}

void Salir(QObject* padre, const char* nombre) {
    if (auto* campo = padre->findChild<QWidget*>(nombre)) {
        QFocusEvent e(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(campo, &e);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <output dir> <TarsaCliente.mdb> <tarsa-terminal-sim>\n", argv[0]);
        return 2;
    }
    gSalida = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(gSalida);
    QTemporaryDir tmp;
    qputenv("TARSA_SETTINGS", tmp.filePath("ajustes.ini").toUtf8());
    const QString base = tmp.filePath("TarsaCliente.mdb");
    QFile::copy(QString::fromLocal8Bit(argv[2]), base);
    QFile::setPermissions(base, QFile::ReadOwner | QFile::WriteOwner);
    gDirectorioAplicacion = tmp.path();
    gDB = std::make_unique<BaseDatos>();
    gDB->Abrir(base);
    QDir().mkpath(tmp.filePath("Estandar"));
    gQueloPath = tmp.filePath("Estandar");
    gTermDir = CrearDirectorioTerminal();
    gEmpresa = "1";
    gCodigoEmpresa = "05";
    gActividad = "1";
    gCodigoActividad = "01";
    gTerminal = "LIC00001";
    gNuevaTransaccion = gVerTicket = true;

    const auto sql = [](const QString& s) { gDB->Ejecutar(s); };
    sql("INSERT INTO Bitmaps VALUES ('05', '01', 1, 'SVL1', '01110111011000110000010000000000100')");
    sql("INSERT INTO Bitmaps VALUES ('05', '01', 1, 'SVL3', '110101111001101')");
    sql("INSERT INTO Medicamentos VALUES (1, 512345, '7795312000123', 'IBUPROFENO 400', 'X 20 COMP', 1520.5, 1, 0, 0)");
    sql("INSERT INTO Medicos VALUES (1, 12345, 'B1', 'PEREZ JUAN', 0)");
    sql("INSERT INTO Diagnosticos VALUES (1, 'J45.0', 'ASMA', 0)");

    QProcess sim;
    int item = 0;
    EstablecerManejadorModal([&](QDialog& d) -> int {
        const QString nombre = d.objectName();
        if (nombre == "frmItemTicketFarmacia") {
            if (item++ == 0) {
                Escribir(&d, "txtTroquel", "512345");
                Salir(&d, "txtTroquel");
                Escribir(&d, "txtCantidad", "2");
                Escribir(&d, "txtDiagnostico", "J45.0");
                Salir(&d, "txtDiagnostico");
                Escribir(&d, "txtPlanCobertura", "PMO");
                Escribir(&d, "txtPorcentajeCobertura", "40");
                Elegir(&d, "cboTipoPrescripcion", QString::fromUtf8("Genérico"));
                Capturar(&d, "item-ticket.png");
            } else {
                Escribir(&d, "txtTroquel", "2233445");
                Escribir(&d, "txtCodigoBarra", "779531200045");
                Escribir(&d, "txtPrecio", "899");
                Elegir(&d, "cboTipoCobertura", QString::fromUtf8("Crónico"));
                Elegir(&d, "cboTipoPrescripcion", "Comercial");
            }
            d.findChild<QPushButton*>("cmdAceptar")->click();
            return d.result();
        }
        if (nombre == "frmDiagnostico") {
            Escribir(&d, "txtDiagnostico", "J45.0");
            Salir(&d, "txtDiagnostico");
            d.findChild<QPushButton*>("cmdAceptar")->click();
            return d.result();
        }
        if (nombre == "frmProcesando") {
            sim.start(QString::fromLocal8Bit(argv[3]), {"--dir", gQueloPath, "--max-requests", "1"});
            return d.exec();
        }
        if (nombre == "frmMuestraTicket") {
            Capturar(&d, "ticket-respuesta.png");
            return 1;
        }
        return d.exec();
    });

    bool cargado = false;
    frmTicketFarmacia* f = frmTicketFarmacia::Cargar(1, cargado);
    Escribir(f, "txtTarjeta", "6034930000012345");
    Elegir(f, "cboTipoLectura", "Manual");
    Escribir(f, "txtFarmacia", "4512");
    Escribir(f, "txtTipoReceta", "1");
    Escribir(f, "txtReceta", "778123");
    Escribir(f, "txtHoraVenta", "14:35");
    Elegir(f, "cboProvinciaR", "B.");
    Elegir(f, "cboTipoMatriculaR", "1.");
    Escribir(f, "txtMatriculaRe", "12345");
    Salir(f, "txtMatriculaRe");
    Escribir(f, "txtDescuentoPrestador", "10");
    f->findChild<QPushButton*>("cmdAddItem")->click();
    f->findChild<QPushButton*>("cmdAddItem")->click();
    f->findChild<QPushButton*>("cmdAddDiags")->click();
    Salir(f, "txtDescuentoPrestador");
    Capturar(f, "ticket-farmacia.png");
    f->findChild<QPushButton*>("cmdAceptar")->click();
    sim.waitForFinished(5000);
    return 0;
}
