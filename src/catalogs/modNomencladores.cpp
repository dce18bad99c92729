#include "catalogs/modNomencladores.h"

#include "catalogs/ArchivoCatalogo.h"
#include "catalogs/RegistroCatalogo.h"
#include "catalogs/clsDiagnostico.h"
#include "catalogs/clsMedicamento.h"
#include "catalogs/clsMedico.h"
#include "core/modConexion.h"
#include "core/modDirectorioTerminal.h"
#include "core/modFormato.h"
#include "core/modTarsa.h"
#include "exchange/ArchivoRespuesta.h"
#include "exchange/clsParametros.h"
#include "exchange/modIntercambio.h"
#include "platform/Ansi.h"
#include "platform/ArchivoRegistros.h"
#include "platform/BaseDatos.h"
#include "platform/LectorNumeros.h"
#include "platform/Mensajes.h"
#include "platform/Rutas.h"
#include "platform/TarsaError.h"

namespace {

// The window is given a chance to repaint and to show the count every this many records: once per
// record would cost more than the database work itself on a catalog of 50,000 rows.
constexpr int kRegistrosPorAviso = 250;

using ListaMensajes = QList<clsItemError>;

void Agregar(ListaMensajes& mensajes, int numero, const QString& texto) {
    clsItemError e;
    e.Numero = numero;
    e.Comentario = texto;
    mensajes.append(e);
}

void AgregarCuenta(ListaMensajes& mensajes, int n, const QString& formato) {
    if (n > 0) Agregar(mensajes, 0, formato.arg(n));
}

// What the complete mode removed before applying a catalog.
void AgregarBorrados(ListaMensajes& mensajes, int n, const QString& catalogo) {
    Agregar(mensajes, 0,
            n > 0 ? QString::fromUtf8("Se borraron %1 registros de %2").arg(n).arg(catalogo)
                  : QString::fromUtf8("No se borraron registros de %1").arg(catalogo));
}

bool Baja(const QString& bandera) { return Val(bandera) == 1; }

// What one catalog needs to be applied: its file, what the complete mode removes first, what each
// record does, and what is left to do after the last one.
struct Seccion {
    QString nombre;  // "médicos", for the status bar and the rollback message
    const DisenoCatalogo* diseno = nullptr;
    std::function<void(ListaMensajes&)> borrarTodo;
    std::function<void(const RegistroCatalogo&, ListaMensajes&)> aplicar;
    std::function<void(ListaMensajes&)> terminar;
};

// Record n of a catalog file does not end in CR LF where its layout ends.
TarsaError FormatoInesperado(const DisenoCatalogo& diseno, qint64 n, const QByteArray& registro) {
    return TarsaError(ErrAccesoRuta,
                      QString::fromUtf8("El archivo %1 no tiene el formato esperado: el registro %2, que empieza con "
                                        "«%3», no termina donde debe. No se aplicó ninguno de sus registros.")
                          .arg(diseno.Archivo)
                          .arg(n)
                          .arg(Ansi::Decodificar(registro.left(20)).simplified()));
}

// What follows the last whole record. A file cut at its end, or written by a tool that leaves the
// last line without its end, holds a last record whose fields are all there: it is applied. One cut
// inside its fields would store a part of a name or of a price as if it were all of it: it is not
// applied, and the list says so.
void AplicarUltimo(const DisenoCatalogo& diseno, qint64 n, const QByteArray& resto, const Seccion& s,
                   ListaMensajes& mensajes) {
    if (resto.isEmpty()) return;
    const QByteArray datos = resto.endsWith('\r') ? resto.chopped(1) : resto;
    if (datos.size() == diseno.Longitud - 2 && !datos.contains('\n') && !datos.contains('\r')) {
        s.aplicar(RegistroCatalogo(diseno, Ansi::Decodificar(datos)), mensajes);
        return;
    }
    Agregar(mensajes, 0,
            QString::fromUtf8("El último registro del archivo %1 (registro %2, que empieza con «%3») está incompleto "
                              "y no se aplicó")
                .arg(diseno.Archivo)
                .arg(n)
                .arg(Ansi::Decodificar(resto.left(20)).simplified()));
}

// Applies one catalog inside one transaction. Its messages join gColErrores only when it is
// committed; when it fails, the list says that the catalog was left as it was.
void AplicarSeccion(const QString& d, bool completo, const Seccion& s, const AvisoProgreso& progreso) {
    const QString relativa = QString("DownLoad\\") + s.diseno->Archivo;
    ArchivoRegistros archivo;
    switch (archivo.AbrirLecturaDentro(d, relativa, s.diseno->Longitud)) {
        case SinEnlaces::Apertura::Falta:
            return;  // a catalog not delivered is skipped without a word
        case SinEnlaces::Apertura::Rechazado:
            ArchivoRespuesta::InformarRechazo(relativa);
            return;
        case SinEnlaces::Apertura::Abierto:
            break;
    }
    const qint64 total = archivo.CantidadRegistros();
    const QString aviso = QString::fromUtf8("Actualizando %1 ...").arg(s.nombre);
    ListaMensajes mensajes;
    try {
        gDB->Transaccion([&] {
            if (completo) s.borrarTodo(mensajes);
            if (progreso) progreso(aviso);
            for (qint64 n = 1; n <= total; ++n) {
                const std::optional<QByteArray> registro = archivo.LeerSiguiente();
                if (!registro) break;
                // A record that does not end where its layout ends means another layout or encoding:
                // every record after it would be read shifted, so none is applied.
                if (!registro->endsWith("\r\n")) throw FormatoInesperado(*s.diseno, n, *registro);
                s.aplicar(RegistroCatalogo(*s.diseno, Ansi::Decodificar(*registro)), mensajes);
                if (progreso && n % kRegistrosPorAviso == 0) progreso(aviso + QString(" %1 de %2").arg(n).arg(total));
            }
            AplicarUltimo(*s.diseno, total + 1, archivo.LeerResto(), s, mensajes);
            s.terminar(mensajes);
        });
    } catch (...) {
        ListaMensajes fallo;
        Agregar(fallo, 0,
                QString::fromUtf8("No se actualizaron los %1: el catálogo quedó como estaba antes").arg(s.nombre));
        AgregarErrores(fallo);
        throw;
    }
    AgregarErrores(mensajes);
    if (progreso) progreso({});
}

template <class C>
void Preparar(C& catalogo) {
    catalogo.Empresa = static_cast<qint16>(gEmpresa.toInt());
    catalogo.Licencia = gTerminal;
}

Seccion SeccionMedicos(clsMedico& m, int& insertados, int& actualizados) {
    const DisenoCatalogo& diseno = ArchivoCatalogo::Medicos(gVersion, gTipoActividad);
    const bool v101 = gVersion == "V101";
    const bool farmacia = gTipoActividad == "1";
    Seccion s{QString::fromUtf8("médicos"), &diseno, {}, {}, {}};
    s.borrarTodo = [&m](ListaMensajes& msj) {
        m.Procesar(5);
        AgregarBorrados(msj, m.Registros, QString::fromUtf8("médicos"));
    };
    s.aplicar = [&, v101, farmacia](const RegistroCatalogo& c, ListaMensajes& msj) {
        const QString matricula = c.Valor("Matricula");
        QString tipo = c.Valor("TipoMatricula");
        if (v101) tipo = farmacia ? QStringLiteral("01") : RellenarCeros(tipo.trimmed(), 2);
        const auto numero = Val<qint32>(matricula);
        const QString nombre = c.Valor("Nombre").trimmed();
        const bool baja = Baja(c.Valor("Baja"));
        // Each company keeps its own doctors: the look-up and the update are of this company's row,
        // never of another company's doctor with the same registration. The type comes from the file:
        // written through the writer, a quote in it cannot break the filter.
        const QString clave = "IdEmpresa = " + QString::number(m.Empresa) +
                              " AND Matricula = " + QString::number(numero) +
                              " AND TipoMatricula = " + clsAcceso::Texto(tipo);
        const bool existe = m.Buscar(clave) && m.Registros > 0;
        if (!existe) {
            m.Procesar(1, numero, tipo, nombre, baja);
            if (m.Registros == 0)
                Agregar(msj, 1, QString::fromUtf8("No se pudo insertar médico ") + matricula + "." + tipo);
            else
                ++insertados;
            return;
        }
        m.Condicion = " " + clave;
        m.Procesar(3, numero, tipo, nombre, baja);
        if (m.Registros == 0)
            Agregar(msj, 2, "No se pudo actualizar Medico " + matricula + "." + tipo);
        else
            ++actualizados;
    };
    s.terminar = [&](ListaMensajes& msj) {
        m.Procesar(4);
        AgregarCuenta(msj, m.Registros, QString::fromUtf8("Se borraron %1 médicos dados de baja"));
        AgregarCuenta(msj, insertados, QString::fromUtf8("Se insertaron %1 médicos"));
        AgregarCuenta(msj, actualizados, QString::fromUtf8("Se actualizaron %1 médicos"));
    };
    return s;
}

// The price in hundredths. A V101 price is first turned into the whole number the V250 field holds.
// A blank price is no price: 0, which the item dialog shows as an empty price (the -1 that stands
// for "empty" elsewhere would be stored as a price of -0.01).
double PrecioCentesimos(const QString& campo) {
    if (gVersion != "V101") return TextoANumero(campo.trimmed(), true);
    return TextoANumero(FormatearNumero(TextoANumero(campo.trimmed(), true), 2), true);
}

Seccion SeccionMedicamentos(clsMedicamento& m, int& insertados, int& actualizados) {
    Seccion s{"medicamentos", &ArchivoCatalogo::Medicamentos(gVersion), {}, {}, {}};
    s.borrarTodo = [&m](ListaMensajes& msj) {
        m.Condicion.clear();  // every company's medications
        m.Procesar(2);
        AgregarBorrados(msj, m.Registros, "medicamentos");
    };
    // The fields by position, found once: a catalog holds tens of thousands of records. Each record
    // goes through statements prepared once for the whole file (the same rows as Buscar and Procesar).
    const DisenoCatalogo& d = *s.diseno;
    const auto posicion = [&d](const char* nombre) { return ArchivoCatalogo::Posicion(d, nombre); };
    const int troquelEn = posicion("Troquel"), codigoEn = posicion("CodigoBarra"), nombreEn = posicion("Nombre"),
              presentacionEn = posicion("Presentacion"), precioEn = posicion("Precio"),
              tipoEn = posicion("TipoMedicamento"), proveedorEn = posicion("CodProveedor"), bajaEn = posicion("Baja");
    s.aplicar = [&, troquelEn, codigoEn, nombreEn, presentacionEn, precioEn, tipoEn, proveedorEn, bajaEn](
                    const RegistroCatalogo& c, ListaMensajes& msj) {
        const QStringView troquel = c.Campo(troquelEn);
        const auto numero = Val<qint32>(troquel);
        const QStringView codigo = c.Campo(codigoEn).trimmed(), nombre = c.Campo(nombreEn).trimmed(),
                          presentacion = c.Campo(presentacionEn).trimmed();
        const double precio = PrecioCentesimos(c.Campo(precioEn).toString());
        const auto tipo = Val<qint16>(c.Campo(tipoEn));
        const auto proveedor = static_cast<double>(Val(c.Campo(proveedorEn)));
        const bool baja = Val(c.Campo(bajaEn)) == 1;
        if (!m.ExisteTroquel(numero)) {
            m.Insertar(numero, codigo, nombre, presentacion, precio, tipo, proveedor, baja);
            if (m.Registros == 0)
                Agregar(msj, 1, "No se pudo insertar medicamento " + troquel.trimmed().toString());
            else
                ++insertados;
            return;
        }
        m.ActualizarTroquel(numero, codigo, nombre, presentacion, precio, tipo, proveedor, baja);
        if (m.Registros == 0)
            Agregar(msj, 2, "No se pudo actualizar medicamento " + troquel.toString().leftJustified(7, ' ', true));
        else
            ++actualizados;
    };
    s.terminar = [&](ListaMensajes& msj) {
        // Withdrawn medications keep their rows, marked.
        AgregarCuenta(msj, insertados, "Se insertaron %1 medicamentos");
        AgregarCuenta(msj, actualizados, "Se actualizaron %1 medicamentos");
    };
    return s;
}

Seccion SeccionDiagnosticos(clsDiagnostico& dg, int& insertados, int& actualizados) {
    Seccion s{QString::fromUtf8("diagnósticos"), &ArchivoCatalogo::Diagnosticos(gVersion), {}, {}, {}};
    s.borrarTodo = [&dg](ListaMensajes& msj) {
        dg.Procesar(5);
        AgregarBorrados(msj, dg.Registros, QString::fromUtf8("diagnósticos"));
    };
    s.aplicar = [&](const RegistroCatalogo& c, ListaMensajes& msj) {
        const QString codigo = c.Valor("Codigo").trimmed();
        const QString nombre = c.Valor("Nombre").trimmed();
        const bool baja = Baja(c.Valor("Baja", "0"));  // the V101 file withdraws nothing
        const bool existe = dg.Buscar({}, codigo) && dg.Registros > 0;
        if (!existe) {
            dg.Procesar(1, codigo, nombre, baja);
            if (dg.Registros == 0)
                Agregar(msj, 1, QString::fromUtf8("No se pudo insertar diagnóstico ") + codigo);
            else
                ++insertados;
            return;
        }
        dg.Condicion = " Codigo = " + clsAcceso::TextoSimple(codigo);
        dg.Procesar(3, codigo, nombre, baja);
        if (dg.Registros == 0)
            Agregar(msj, 2, QString::fromUtf8("No se pudo actualizar diagnóstico ") + codigo);
        else
            ++actualizados;
    };
    s.terminar = [&](ListaMensajes& msj) {
        dg.Procesar(4);
        AgregarCuenta(msj, dg.Registros, QString::fromUtf8("Se borraron %1 diagnósticos dados de baja"));
        AgregarCuenta(msj, insertados, QString::fromUtf8("Se insertaron %1 diagnósticos"));
        AgregarCuenta(msj, actualizados, QString::fromUtf8("Se actualizaron %1 diagnósticos"));
    };
    return s;
}

}  // namespace

QString ModoNomenclador(bool pedido, bool todos) {
    if (!pedido) return QStringLiteral("0");
    return todos ? QStringLiteral("1") : QStringLiteral("2");
}

bool GrabarPedidoNomencladores(const PedidoNomencladores& p) {
    try {
        const Disposicion<clsParametros>& d =
            DisposicionRequerida(clsParametros::DisposicionNomencladores(gVersion, gTipoActividad), gVersion);
        clsParametros parametros;
        parametros.ModoMedicos = ModoNomenclador(p.Medicos, p.TodosMedicos);
        parametros.ModoMedicamentos = ModoNomenclador(p.Medicamentos, p.TodosMedicamentos);
        parametros.ModoDiagnosticos = ModoNomenclador(p.Diagnosticos, p.TodosDiagnosticos);
        parametros.GrabarSAL0(DirectorioIntercambio(), d);
        return true;
    } catch (const std::exception& e) {
        MsgBox(ComoTarsaError(e).Descripcion, Mensajes::vbCritical, "Error al grabar archivos");
        return false;
    }
}

bool ActualizarNomencladores(const PedidoNomencladores& p, const AvisoProgreso& progreso) {
    VaciarErrores();
    try {
        const QString d = DirectorioIntercambio();
        clsParametros::LeerRespuestas(d, LecturaCodigo::EnteroO9999, gColErrores);
        int insertados = 0;
        int actualizados = 0;
        if (p.Medicos) {
            clsMedico m;
            Preparar(m);
            AplicarSeccion(d, p.TodosMedicos, SeccionMedicos(m, insertados, actualizados), progreso);
        }
        if (p.Medicamentos) {
            insertados = actualizados = 0;
            clsMedicamento m;
            Preparar(m);
            AplicarSeccion(d, p.TodosMedicamentos, SeccionMedicamentos(m, insertados, actualizados), progreso);
        }
        if (p.Diagnosticos) {
            insertados = actualizados = 0;
            clsDiagnostico dg;
            Preparar(dg);
            AplicarSeccion(d, p.TodosDiagnosticos, SeccionDiagnosticos(dg, insertados, actualizados), progreso);
        }
        return true;
    } catch (const std::exception& e) {
        if (progreso) progreso({});
        MsgBox(ComoTarsaError(e).Descripcion, Mensajes::vbCritical, "Error al leer archivos");
        return false;
    }
}
