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
    // Takes the lock, waiting only on a file that names no owner yet; false when it could not.
    bool Tomar();
    bool Tomado() const;
    // Whether the last Tomar failed because another running process holds the lock (and not, say,
    // because the directory cannot be written).
    bool Ocupado() const;
    void Soltar();

private:
    std::unique_ptr<QLockFile> bloqueo_;
};
