// This run's exchange directory under the shared working directory: its creation with a mark of
// ownership, its removal, and the removal of directories that crashed runs left behind.
#include "core/modDirectorioTerminal.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <chrono>

#include "core/modTarsa.h"
#include "platform/MarcaPropietario.h"
#include "platform/Rutas.h"
#include "platform/SinEnlaces.h"
#include "platform/TarsaError.h"

namespace {

// Held while the run lives: another run starting on the same working directory sees it in use.
MarcaPropietario gMarca;
QString gDirectorioMarcado;

// Without a mark (a run of an older version, or one that could not write it) a directory counts as
// abandoned only when nothing in it has changed for this long.
constexpr qint64 kAbandonoSinMarcaSeg = 2 * 24 * 3600;

QRandomGenerator GeneradorDelReloj() {
    const auto ahora = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return QRandomGenerator(static_cast<quint32>(ahora ^ (ahora >> 32)));
}

bool EsNombreIntercambio(const QString& nombre) {
    static const QRegularExpression re("^term[1-9][0-9]{0,2}$", QRegularExpression::CaseInsensitiveOption);
    return re.match(nombre).hasMatch();
}

QDateTime UltimoCambio(const QString& dir) {
    QDateTime ultimo = QFileInfo(dir).lastModified();
    for (const QFileInfo& fi :
         QDir(dir).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        ultimo = qMax(ultimo, fi.lastModified());
    return ultimo;
}

bool Abandonado(const QString& dir) {
    // Only a plain file is a mark a run wrote; a directory or a link of its name marks nothing.
    const QString marca = Rutas::Unir(dir, MarcaPropietario::kNombre);
    if (QFileInfo(marca).isFile() && !SinEnlaces::EsEnlace(marca)) {
        MarcaPropietario marca;
        if (!marca.Tomar(dir)) return false;  // a living run holds it
        marca.Soltar();
        return true;
    }
    return UltimoCambio(dir).secsTo(QDateTime::currentDateTime()) > kAbandonoSinMarcaSeg;
}

}  // namespace

QString DirectorioIntercambio() {
    // Without its own directory the run would write its requests into the shared working directory,
    // where the terminal or another run could take them for theirs.
    if (gTermDir.isEmpty())
        throw TarsaError(ErrRutaNoEncontrada,
                         QString::fromUtf8("No hay directorio de intercambio para esta sesión en %1: no se pueden "
                                           "enviar pedidos a la terminal. Indique en Sistema > Configuración ... un "
                                           "directorio de trabajo que exista y en el que se pueda escribir; se "
                                           "toma al aceptar, sin volver a iniciar el programa.")
                             .arg(gQueloPath));
    return Rutas::Unir(gQueloPath, gTermDir);
}

void SoltarMarcaIntercambio() {
    gMarca.Soltar();
    gDirectorioMarcado.clear();
}

void BorrarDirectorioIntercambio(const QString& d) {
    if (!gDirectorioMarcado.isEmpty() && QDir::cleanPath(Rutas::Resolver(d)) == QDir::cleanPath(gDirectorioMarcado))
        SoltarMarcaIntercambio();
    if (!SinEnlaces::EsEnlace(d) && Rutas::EsArchivo(Rutas::Unir(d, kArchivoPendientes))) return;
    SinEnlaces::BorrarArbol(d);
}

int BorrarDirectoriosAbandonados() {
    const QDir trabajo(Rutas::Resolver(gQueloPath));
    int borrados = 0;
    for (const QString& nombre :
         trabajo.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        const QString dir = trabajo.filePath(nombre);
        if (!EsNombreIntercambio(nombre) || QDir::cleanPath(dir) == QDir::cleanPath(gDirectorioMarcado)) continue;
        // A link named like an exchange directory is not one this program made.
        if (SinEnlaces::EsEnlace(dir) || !QFileInfo(dir).isDir()) continue;
        if (Rutas::EsArchivo(Rutas::Unir(dir, kArchivoPendientes))) continue;
        if (Abandonado(dir) && SinEnlaces::BorrarArbol(dir)) ++borrados;
    }
    return borrados;
}

QString CrearDirectorioTerminal() {
    if (!Rutas::EsDirectorio(gQueloPath))
        throw TarsaError(ErrRutaNoEncontrada, "No se encontró la ruta de acceso " + gQueloPath);
    BorrarDirectoriosAbandonados();
    for (int intento = 0; intento < 100000; ++intento) {
        QRandomGenerator azar = GeneradorDelReloj();
        const int n = static_cast<int>(azar.generateDouble() * 999 + 1);
        const QString nombre = "term" + QString::number(n);
        const QString camino = Rutas::Unir(gQueloPath, nombre);
        if (Rutas::Existe(camino) || SinEnlaces::EsEnlace(camino)) continue;
        // Creating the directory is the claim: another client that got there first makes this fail.
        if (!Rutas::CrearDirectorio(camino)) {
            if (Rutas::Existe(camino)) continue;
            throw TarsaError(ErrAccesoRuta, "No se puede crear el directorio " + camino);
        }
        if (!Rutas::CrearDirectorio(Rutas::Unir(camino, "upload")) ||
            !Rutas::CrearDirectorio(Rutas::Unir(camino, "download")))
            throw TarsaError(ErrAccesoRuta, "No se puede crear el directorio de intercambio en " + camino);
        // Without the mark (a file system that refuses it) the directory is still protected for
        // days by its recent changes; the run goes on.
        if (gMarca.Tomar(camino)) gDirectorioMarcado = Rutas::Resolver(camino);
        return nombre;
    }
    throw TarsaError(ErrAccesoRuta, "No quedan directorios de intercambio libres en " + gQueloPath);
}
