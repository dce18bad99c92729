#pragma once
// The ticket as it is printed (on paper or as PDF): the terminal's text unchanged, in a fixed font,
// and under it a Code 128 barcode of each code (ticket number, authorisation) with the code written
// beneath it.
#include <QStringList>
#include <QTextDocument>
#include <memory>

std::unique_ptr<QTextDocument> DocumentoTicket(const QString& texto, const QStringList& codigos = {});
