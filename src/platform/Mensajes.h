#pragma once
// Message boxes. Windows and classes never show a QMessageBox themselves: they go through the
// current Mensajes, which the application replaces by its on-screen version and tests by a double.
#include <QString>

class Mensajes {
public:
    // Buttons, icon and default button combine as the flags the program has always used.
    enum Estilo {
        vbOKOnly = 0,
        vbOKCancel = 1,
        vbYesNoCancel = 3,
        vbYesNo = 4,
        vbRetryCancel = 5,
        vbCritical = 16,
        vbQuestion = 32,
        vbExclamation = 48,
        vbInformation = 64,
        vbDefaultButton2 = 256,
    };
    enum Respuesta { vbOK = 1, vbCancel = 2, vbRetry = 4, vbYes = 6, vbNo = 7 };

    virtual ~Mensajes() = default;
    virtual int Mostrar(const QString& texto, int estilo, const QString& titulo) = 0;
    // A message for a person with what only support needs (the statement that failed, the engine's
    // words) kept apart: on screen behind the box's details button; here after the text.
    virtual int MostrarConDetalles(const QString& texto, const QString& detalles, int estilo, const QString& titulo) {
        return Mostrar(texto + "\n\n" + detalles, estilo, titulo);
    }

    static Mensajes& Actual();
    // Installs another implementation (not owned); nullptr restores the console one.
    static void Establecer(Mensajes* m);
};

// Shortcut used throughout the program.
inline int MsgBox(const QString& texto, int estilo = Mensajes::vbOKOnly, const QString& titulo = QString()) {
    return Mensajes::Actual().Mostrar(texto, estilo, titulo);
}

inline int MsgBoxDetalles(const QString& texto, const QString& detalles, int estilo = Mensajes::vbOKOnly,
                          const QString& titulo = QString()) {
    return Mensajes::Actual().MostrarConDetalles(texto, detalles, estilo, titulo);
}
