#pragma once
// A synthetic exchange archive for the bench programs: a number of exchanges spread evenly over whole
// months that end on the last day of the newest month, so every month (the newest too, which the
// history's first screen reads) holds its share. Each exchange is sent and answered (two index
// lines); one in twenty ends in error; the cards repeat every 5,000 exchanges.
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <stdexcept>

#include "exchange/clsArchivoIntercambios.h"

struct ArchivoSintetico {
    int intercambios = 100000;
    int meses = 12;            // ending with December 2026
    bool directorios = false;  // one directory per exchange, as the archive keeps its files

    void Crear(const QString& raiz) const {
        const QDateTime inicio(QDate(2026, 12, 1).addMonths(1 - meses), QTime(0, 0));
        const qint64 lapso = inicio.msecsTo(QDateTime(QDate(2027, 1, 1), QTime(0, 0)));
        // Each month's index is written once its exchanges are made (they come in order), so that
        // building a large archive does not hold all of it.
        QString mes;
        QByteArray indice;
        const auto escribir = [&raiz, &mes, &indice] {
            if (mes.isEmpty()) return;
            QDir().mkpath(raiz + "/" + mes);
            QFile f(raiz + "/" + mes + "/indice.txt");
            if (!f.open(QIODevice::WriteOnly) || f.write(indice) != indice.size())
                throw std::runtime_error("cannot write the index");
            indice.clear();
        };
        for (int n = 0; n < intercambios; ++n) {
            const QDateTime cuando = inicio.addMSecs(lapso * n / intercambios);
            clsItemIntercambio i;
            i.Id = cuando.toString("yyyyMMdd-HHmmsszzz") + "-term" + QString::number(n % 7);
            i.Enviado = cuando;
            i.Operacion = "01";
            i.Resultado = "enviado";
            i.Bytes = 900;
            i.Empresa = QString::number(n % 12).rightJustified(2, '0');
            i.Tarjeta = QString("603493-%1").arg(n % 5000, 6, 10, QChar('0'));
            if (const QString este = cuando.toString("yyyy-MM"); este != mes) {
                escribir();
                mes = este;
            }
            indice += clsArchivoIntercambios::LineaIndice(i);
            i.Respondido = cuando.addSecs(3);
            i.Resultado = n % 20 ? "procesada" : "error";
            i.Estado = n % 20 ? "0 Aprobada" : "12 Afiliado inexistente";
            i.Ticket = QString::number(100000 + n);
            i.Bytes = 2400;
            indice += clsArchivoIntercambios::LineaIndice(i);
            if (directorios && !QDir().mkpath(raiz + "/" + mes + "/" + i.Id))
                throw std::runtime_error("cannot make a directory");
        }
        escribir();
    }
};
