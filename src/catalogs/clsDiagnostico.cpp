#include "catalogs/clsDiagnostico.h"

#include "platform/Rutas.h"
#include "platform/TarsaError.h"

// ---- Diagnosis records of a ticket request ----

namespace {
using FD = Campos<clsDiagnostico>;

const Disposicion<clsDiagnostico> kSVL4{
    "diagnóstico", 56, LecturaCodigo::Entero,
    {
        FD::Texto(0, 10, [](const clsDiagnostico& d) -> QVariant { return d.Diagnostico.trimmed(); }),
        FD::Literal(10, "0000", Rol::CodigoError),
        FD::Blanco(14, 40, Rol::TextoError),
        FD::FinLinea(54),
    }};
}  // namespace

const Disposicion<clsDiagnostico>& clsDiagnostico::DisposicionSVL4() { return kSVL4; }

bool clsDiagnostico::AbrirArchivo(const QString& directorio) {
    archivoSVL4_ = std::make_shared<ArchivoRegistros>();
    archivoSVL4_->Abrir(Rutas::Unir(directorio, "UpLoad\\_SVL.4"), kSVL4.Longitud);
    return true;
}

void clsDiagnostico::InicializarVariables() { Diagnostico.clear(); }

bool clsDiagnostico::GrabarSVL4() {
    if (!archivoSVL4_ || !archivoSVL4_->Abierto()) throw TarsaError(52, "El archivo de diagnósticos no está abierto");
    archivoSVL4_->Escribir(++registroSVL4_, ComponerRegistro(kSVL4, *this));
    return true;
}

bool clsDiagnostico::CerrarArchivo() {
    if (archivoSVL4_) archivoSVL4_->Cerrar();
    return true;
}

// ---- end of the diagnosis records ----
