#pragma once
// The ticket as it is printed (on paper or as PDF): the terminal's text unchanged, in a fixed font,
// and under it a Code 128 barcode of each code (ticket number, authorisation) with the code written
// beneath it.
#include <QFont>
#include <QStringList>
#include <QTextDocument>
#include <memory>

std::unique_ptr<QTextDocument> DocumentoTicket(const QString& texto, const QStringList& codigos = {});
// The ticket's font, on screen and on paper: "Courier New", 10 points, or the system's fixed-pitch
// font where there is no Courier New (or, where the system names none, the first fixed one installed).
QFont FuenteTicket();
