#pragma once
// The mark that a directory belongs to a living run of the client: a lock file inside it that the
// run holds while it lives. A run that crashes leaves the file behind but no longer holds it, so a
// later run can tell an abandoned directory from one in use. A mark written on another machine that
// shares the directory is never taken over: whether its run is alive cannot be told from here.
#include <QString>
#include <memory>

#include "platform/BloqueoInstancia.h"

class MarcaPropietario {
public:
    static constexpr const char* kNombre = "tarsa.lck";

    MarcaPropietario() = default;
    MarcaPropietario(const MarcaPropietario&) = delete;
    MarcaPropietario& operator=(const MarcaPropietario&) = delete;
    ~MarcaPropietario() { Soltar(); }

    // Takes the mark of the directory, taking over one left by a run that is no longer alive. False
    // when a living run holds it (or the directory refuses the file).
    bool Tomar(const QString& directorio);
    void Soltar();
    bool Tomada() const { return marca_ && marca_->Tomado(); }

    // Whether the directory holds a mark file at all (held or left behind).
    static bool Existe(const QString& directorio);

private:
    std::unique_ptr<BloqueoInstancia> marca_;
};
