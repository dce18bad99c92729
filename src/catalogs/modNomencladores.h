#pragma once
// The catalog update: the request for the doctors, medications and diagnoses catalogs, and the
// application of the files the terminal delivers, one database transaction per catalog.
#include <QString>
#include <functional>

// The six choices of the catalog dialog: which catalogs, and for each whether complete ("Todos").
struct PedidoNomencladores {
    bool Medicos = false;
    bool Medicamentos = false;
    bool Diagnosticos = false;
    bool TodosMedicos = false;
    bool TodosMedicamentos = false;
    bool TodosDiagnosticos = false;
};

// Told the text of the status bar while a catalog is applied (empty to clear it); the window also
// lets the user interface breathe there.
using AvisoProgreso = std::function<void(const QString&)>;

// Writes the parameters record of the run's exchange directory. A failure is shown (critical
// "Error al grabar archivos") and gives false.
bool GrabarPedidoNomencladores(const PedidoNomencladores& pedido);

// Reads the terminal's answer records and the delivered catalog files, and applies them to the
// current company's catalogs; every outcome becomes an entry of gColErrores. A failure is shown
// (critical "Error al leer archivos"): the catalog being applied is left as it was, those applied
// before it stay, and the rest is abandoned. False after a failure.
bool ActualizarNomencladores(const PedidoNomencladores& pedido, const AvisoProgreso& progreso = {});

// The request's mode character of one catalog: "0" not requested, "1" complete, "2" changes only.
QString ModoNomenclador(bool pedido, bool todos);
