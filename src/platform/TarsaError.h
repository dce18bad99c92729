#pragma once
// The program's one error type: a number, a description and the source that raised it.
#include <QString>
#include <stdexcept>

// The numbers a TarsaError carries. They are the numbers the program's messages have always shown
// (those of the runtime and of the database engine it was first written for), so a number quoted in
// a message or a support note still means the same.
inline constexpr int ErrNoTarsa = -1;                 // an exception of another kind, turned into a TarsaError
inline constexpr int ErrArgumentoInvalido = 5;        // a call or an argument that cannot be valid
inline constexpr int ErrTiposNoCoinciden = 13;        // a text where a number was expected
inline constexpr int ErrArchivoNoAbierto = 52;        // a file written before it was opened
inline constexpr int ErrArchivoNoEncontrado = 53;     // a file that is not there or cannot be read
inline constexpr int ErrEntradaSalida = 57;           // a read that failed half way
inline constexpr int ErrArchivoYaExiste = 58;         // a file that cannot take another one's place
inline constexpr int ErrLongitudRegistro = 59;        // a record of another length than its file's
inline constexpr int ErrDiscoLleno = 61;              // a written file that could not be completed
inline constexpr int ErrAccesoRuta = 75;              // a file or directory that cannot be made, written or removed
inline constexpr int ErrRutaNoEncontrada = 76;        // a directory that is not there
inline constexpr int ErrSinLicencia = 77;             // a request to the terminal without the provider's licence
inline constexpr int ErrObjetoNoAsignado = 91;        // no database open, no row chosen
inline constexpr int ErrImpresora = 482;              // no printer, or the printer failed
inline constexpr int ErrBaseDatos = 3000;             // the engine's errors: this plus SQLite's primary result code
inline constexpr int ErrTiempoAgotado = 3009;         // a search stopped by its time limit
inline constexpr int ErrSinRegistroActivo = 3021;     // a move past the last row
inline constexpr int ErrBaseNoEncontrada = 3024;      // a database file that is not there
inline constexpr int ErrBaseNoValida = 3049;          // a file that cannot be opened, made or compacted as a database
inline constexpr int ErrReparacion = 3051;            // the repaired copy could not replace the damaged file
inline constexpr int ErrElementoNoEncontrado = 3265;  // a column the result does not have
inline constexpr int ErrBaseNoAbierta = 3420;         // a query without an open database

class TarsaError : public std::runtime_error {
public:
    TarsaError(int numero, const QString& descripcion, const QString& fuente = QString())
        : std::runtime_error(descripcion.toStdString()), Numero(numero), Descripcion(descripcion), Fuente(fuente) {}

    // The same error raised again by another source (catalog classes set their own name).
    TarsaError ConFuente(const QString& fuente) const { return TarsaError(Numero, Descripcion, fuente); }

    int Numero = 0;
    QString Descripcion;
    QString Fuente;
};

// Any exception as a TarsaError, so that handlers report one shape.
TarsaError ComoTarsaError(const std::exception& e, const QString& fuente = QString());
