#include "core/Operaciones.h"

#include "core/modTarsa.h"

const QList<Operacion>& Operaciones() {
    using enum Destino;
    const QString otro = kOtroTipo;
    // One operation to a row, its fields in the same places.
    // clang-format off
    static const QList<Operacion> tabla = {
        // Consumptions.
        {.Clave = "K11", .Grupo = 1, .Texto = "Consumo", .Marca = "C", .Color = kVerde, .Tecla = Qt::Key_F2,
         .Ofrecida = {"1", "2", otro}, .Hace = Ticket, .Abre = {"1", "13"},
         .Codigo = 1, .Nombre = "Alta de ticket", .Titulo = "CONSUMO", .CodigoV101 = 1},
        {.Clave = "K14", .Grupo = 1, .Texto = "Consulta de consumo", .Marca = "Q", .Color = kAzul, .Tecla = Qt::Key_F3,
         .Ofrecida = {"1", "2", otro}, .Vista = &gVerBotonesConsulta, .Hace = Ticket, .Abre = {"1"},
         .Codigo = 4, .Nombre = "Consulta de ticket", .Titulo = "CONSULTA DE CONSUMO", .CodigoV101 = 0},
        {.Clave = "K12", .Grupo = 1, .Texto = "Anulación de consumo", .Marca = "A", .Color = kRojo, .Tecla = Qt::Key_F4,
         .Ofrecida = {"1", "2", otro}, .Hace = Ticket, .Abre = {"1"},
         .Codigo = 2, .Nombre = "Anulación de ticket", .Titulo = "ANULACION DE CONSUMO", .CodigoV101 = 3},
        {.Clave = "K13", .Grupo = 1, .Texto = "Devolución de consumo", .Marca = "D", .Color = kRojo,
         .Tecla = Qt::Key_F5, .Ofrecida = {"1"}, .Vista = &gVerBotonesDevolucion, .Hace = Ticket, .Abre = {"1"},
         .Codigo = 3, .Nombre = "Devolución de ticket", .Titulo = "DEVOLUCION DE CONSUMO", .CodigoV101 = 2},
        // Practices by session.
        {.Clave = "K21", .Grupo = 2, .Texto = "Autorización de práctica por sesión", .Marca = "AS",
         .Ofrecida = {"3", otro}},
        {.Clave = "K24", .Grupo = 2, .Texto = "Consulta autorización de práctica por sesión", .Marca = "QS",
         .Ofrecida = {"3", otro}, .Vista = &gVerBotonesConsulta},
        {.Clave = "K22", .Grupo = 2, .Texto = "Anulación autorización de práctica por sesión", .Marca = "XS",
         .Ofrecida = {"3", otro}},
        {.Clave = "K31", .Grupo = 3, .Texto = "Consumo de práctica por sesión", .Marca = "CS",
         .Ofrecida = {"3", otro}},
        {.Clave = "K34", .Grupo = 3, .Texto = "Consulta de consumo de práctica por sesión", .Marca = "QC",
         .Ofrecida = {"3", otro}, .Vista = &gVerBotonesConsulta},
        {.Clave = "K32", .Grupo = 3, .Texto = "Anulación de consumo de práctica por sesión", .Marca = "XC",
         .Ofrecida = {"3", otro}},
        // Checks of the affiliate.
        {.Clave = "K41", .Grupo = 4, .Texto = "Verificar asociado", .Marca = "V", .Color = kAzul, .Tecla = Qt::Key_F6,
         .Ofrecida = {"1", "2", "3", otro}, .Vista = &gVerBotonesVerificar, .Hace = Ticket, .Abre = {"1"},
         .Codigo = 41, .Nombre = "Verificar beneficiario", .Titulo = "VERIFICACION ASOCIADO", .CodigoV101 = 41},
        {.Clave = "K42", .Grupo = 4, .Texto = "Verificar asociado práctica", .Marca = "VP", .Color = kAzul,
         .Ofrecida = {otro}, .Vista = &gVerBotonesVerificar, .Hace = Ticket, .Abre = {"1"},
         .Codigo = 42, .Nombre = "Verificar beneficiario/medicamento", .Titulo = "VERIFICACION ASOCIADO / MEDICAMENTO"},
        {.Clave = "K43", .Grupo = 4, .Texto = "Verificar asociado, práctica prestador", .Marca = "VX", .Color = kAzul,
         .Ofrecida = {otro}, .Vista = &gVerBotonesVerificar, .Hace = Ticket, .Abre = {"1"},
         .Codigo = 43},
        // Deposits, the deferred authorisation and the journal.
        {.Clave = "K51", .Grupo = 5, .Texto = "Aviso de depósito", .Marca = "$",
         .Ofrecida = {"4", otro}, .Dato = "DEPOSITO"},
        {.Clave = "K52", .Grupo = 5, .Texto = "Anulación de aviso de depósito", .Marca = "X$",
         .Ofrecida = {"4", otro}, .Dato = "NODEPOSITO"},
        {.Clave = "K60", .Grupo = 5, .Texto = "Autorización diferida", .Marca = "AD", .Color = kVerde,
         .Tecla = Qt::Key_F7, .Ofrecida = {"1", otro}, .Hace = Ticket, .Abre = {"1", "13"},
         .Codigo = 5, .Nombre = "Alta diferida de ticket", .Titulo = "AUTORIZACION DIFERIDA"},
        {.Clave = "K70", .Grupo = 5, .Texto = "Últimos tickets", .Marca = "T", .Color = kVioleta, .Tecla = Qt::Key_F8,
         .EnMenu = false, .Hace = Lista},
        // Without a button: the closures (6 to 11), the authorisation requests and the reprint from the
        // journal; the other codes only have their V101 translation.
        {.Codigo = 6, .CodigoV101 = 2},
        {.Codigo = 7, .CodigoV101 = 3},
        {.Codigo = 8},
        {.Codigo = 9, .CodigoV101 = 1},
        {.Codigo = 10, .Nombre = "Excluir receta de un cierre"},
        {.Codigo = 11, .Nombre = "Incluir receta previamente excluída", .CodigoV101 = 1},
        {.Codigo = 12, .CodigoV101 = 3},
        {.Codigo = 14, .CodigoV101 = 0},
        {.Codigo = 21, .CodigoV101 = 4},
        {.Codigo = 22, .CodigoV101 = 6},
        {.Codigo = 31, .CodigoV101 = 5},
        {.Codigo = 32, .CodigoV101 = 7},
        {.Codigo = 51, .Nombre = "Solicitar autorización", .Titulo = "SOLICITUD DE AUTORIZACION"},
        {.Codigo = 53, .Nombre = "Consultar resolución solicitud autorización",
         .Titulo = "CONSULTA RESOLUCION SOLICITUD DE AUTORIZACION"},
        {.Codigo = 80, .Nombre = "Reimpresión de ticket"},
    };
    // clang-format on
    return tabla;
}

bool Operacion::OfrecidaPara(const QString& tipoActividad) const {
    return Ofrecida.contains(tipoActividad) ||
           (Ofrecida.contains(kOtroTipo) && !kTiposActividad.contains(tipoActividad));
}

bool Operacion::AbreTicketCon(const QString& tipoActividad) const {
    return Hace == Destino::Ticket && Abre.contains(tipoActividad);
}

const Operacion* OperacionDeClave(const QString& clave) {
    if (clave.isEmpty()) return nullptr;
    for (const Operacion& o : Operaciones())
        if (o.Clave == clave) return &o;
    return nullptr;
}

const Operacion* OperacionDeCodigo(int codigo) {
    if (codigo == 0) return nullptr;
    for (const Operacion& o : Operaciones())
        if (o.Codigo == codigo) return &o;
    return nullptr;
}

int CodigoOperacionVersion(int codigo) {
    if (gVersion != "V101") return codigo;
    const Operacion* o = OperacionDeCodigo(codigo);
    return o ? o->CodigoV101 : -1;
}

QString NombreOperacion(int codigo) {
    const Operacion* o = OperacionDeCodigo(codigo);
    return o && !o->Nombre.isEmpty() ? o->Nombre : QString::number(codigo);
}
