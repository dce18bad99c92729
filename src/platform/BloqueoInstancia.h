#pragma once
// A claim on a resource for as long as the process runs, held in a lock file. The operating system
// ties the lock to the living process, so a run that crashed leaves nothing that stops the next one.
#include <QString>
#include <memory>

class QLockFile;

class BloqueoInstancia {
public:
    explicit BloqueoInstancia(const QString& archivo);
    ~BloqueoInstancia();
    // Takes the lock; false when it could not. A file that names no owner is taken over at once when
    // it is older than a holder needs to write itself into it, and waited on briefly otherwise.
    bool Tomar();
    bool Tomado() const;
    // Why the last Tomar failed.
    enum class Motivo {
        Ninguno,
        OtroProceso,      // a running process of this computer holds it
        OtraComputadora,  // written on another computer sharing the directory: whether it lives cannot be told
        NoEsArchivo,      // a directory, a link or another kind of entry stands in its place
        Ilegible,         // the file cannot be read, so its owner cannot be told
        SinPermiso,       // the directory refuses the file
    };
    Motivo Rechazo() const { return motivo_; }
    // Whether the last Tomar failed because another running process holds the lock (and not, say,
    // because the directory cannot be written).
    bool Ocupado() const { return motivo_ == Motivo::OtroProceso || motivo_ == Motivo::OtraComputadora; }
    // The computer named in the file that refused the lock (OtraComputadora).
    const QString& Maquina() const { return maquina_; }
    const QString& Archivo() const { return archivo_; }
    void Soltar();

private:
    QString archivo_;
    std::unique_ptr<QLockFile> bloqueo_;
    Motivo motivo_ = Motivo::Ninguno;
    QString maquina_;
};
