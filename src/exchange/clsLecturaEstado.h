#pragma once
// When the terminal's status file may be read. A terminal may create Estado.rsp and write its line a
// moment later; reading it at creation gives an empty status and loses the answer.
#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <optional>

class clsLecturaEstado {
public:
    explicit clsLecturaEstado(QString archivo = {}) : archivo_(std::move(archivo)) {}

    // True once the first line of the file is complete: ended by a line end, or unchanged for
    // AsentamientoMs when the terminal writes none. Missing, empty or still-growing: false.
    bool Completo();
    // The file existed at the last check but was not complete yet: worth checking again soon.
    bool Incompleto() const { return visto_.has_value(); }
    void Reiniciar() { visto_.reset(); }

    // How long a first line without a line end must stay unchanged to count as written.
    static inline int AsentamientoMs = 200;
    // How much of the file is looked at; a first line longer than this settles like one without end.
    static constexpr qint64 kMaximoLinea = 4096;

private:
    struct Visto {
        QByteArray bytes;
        qint64 tamano = 0;
    };
    QString archivo_;
    std::optional<Visto> visto_;  // what the last check found, while incomplete
    QElapsedTimer sinCambios_;    // since the file last changed
};
