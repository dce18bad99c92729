#pragma once
// Shell services: open a document or web page, start a program, read a registry value, end the process.
#include <QString>
#include <QStringList>

class Sistema {
public:
    virtual ~Sistema() = default;
    // Opens a file or address with the system's open action; false when nothing could open it.
    virtual bool Abrir(const QString& documento) = 0;
    virtual bool IniciarPrograma(const QString& programa, const QStringList& argumentos) = 0;
    // A value of the system registry (empty where there is none, as on systems without a registry).
    virtual QString LeerRegistro(const QString& clave, const QString& valor) = 0;
    // Ends the process at once, as the program's orderly shutdown requires.
    virtual void TerminarProceso(int codigo) = 0;
    // The system's beep (a refused key).
    virtual void Pitido() {}

    static Sistema& Actual();
    static void Establecer(Sistema* s);  // not owned; nullptr restores the default
};

// The operating system's own services, without a screen.
class SistemaReal : public Sistema {
public:
    bool Abrir(const QString& documento) override;
    bool IniciarPrograma(const QString& programa, const QStringList& argumentos) override;
    QString LeerRegistro(const QString& clave, const QString& valor) override;
    void TerminarProceso(int codigo) override;
};
