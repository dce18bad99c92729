#include "ui/CampoDiagnostico.h"

#include <QLabel>
#include <QLineEdit>

#include "catalogs/clsDiagnostico.h"
#include "platform/Mensajes.h"
#include "platform/TarsaError.h"
#include "ui/frmPromptedSearch.h"

void CampoDiagnostico::Mostrar(const QString& codigo) {
    nombre_->clear();
    if (codigo.isEmpty()) {
        codigo_->clear();
        return;
    }
    try {
        clsDiagnostico diagnostico;
        diagnostico.Empresa = static_cast<qint16>(numEmpresa_.toInt());
        const auto rs = diagnostico.Buscar({}, codigo.trimmed());
        if (!rs || rs->EOF_()) return;
        nombre_->setText(diagnostico.Nombre);
        codigo_->setText(diagnostico.Codigo);
    } catch (const std::exception& e) {
        MsgBox(ComoTarsaError(e).Descripcion, Mensajes::vbCritical);
    }
}

void CampoDiagnostico::Buscar() {
    const auto fila = frmPromptedSearch::Instancia().Perform(clsDiagnostico::PlantillaTicket(numEmpresa_),
                                                             QString::fromUtf8("Búsqueda de Diagnósticos"), true, true);
    if (fila) Mostrar(fila->Item("Codigo").toString());
}
