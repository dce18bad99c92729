#pragma once
// Field formatting: user input and catalog values turned into the fixed texts of the terminal files,
// the regional number and date rules, the key filters of the entry fields and the operation codes.
#include <QChar>
#include <QDate>
#include <QString>
#include <QVariant>
#include <optional>

QString RellenarCeros(const QVariant& valor, int n);
QString RellenarCerosRTrim(const QVariant& valor, int n);
QString FormatearNumero(const QVariant& valor, int tipo);
// The number of a text with the regional rules (thousands separators included); an empty text is 0
// with vacioEsCero, else -1; any other text that is not a number is 0, and *esNumero, when asked,
// says false for it alone.
double TextoANumero(const QString& texto, bool vacioEsCero, bool* esNumero = nullptr);
// Whether c separates thousands in an amount: the regional thousands separator, and "." wherever the
// decimal mark is ",".
bool EsSeparadorMiles(QChar c);
void SepararCodigoNombre(const QString& texto, QString& codigo, QString& resto);
void SepararCodigoNombre(const QString& texto, int& codigo, QString& resto);
QString NuloATexto(const QVariant& valor);
QString CodigoYNombre(const QVariant& codigo, const QString& nombre);
QString FechaAAAAMMDD(const QString& fecha);
QString SoloDigitos(const QString& texto);
bool NormalizarFecha(QVariant& valor);
// The four-digit year of a two-digit one: the nearest to the current year, 20 ahead at most (in 2026,
// 26 is 2026, 46 is 2046, 47 is 1947).
int AnioCompleto(int dosDigitos, int anioActual);
std::optional<QDate> ParsearFechaDMA(const QString& texto);
// Field kinds of FiltrarTecla: 1 whole number, 2 decimal number, 3 signed whole number, 4 date, 5 free
// text, 6 signed number or date, 7 digits and blanks, kTipoImporte an amount of money (a decimal
// number that may carry thousands separators); any other is free text.
inline constexpr int kTipoImporte = 8;
int FiltrarTecla(int tecla, int tipo);
// FiltrarTecla without the beep: the key to keep (possibly replaced), or 0.
int TeclaPermitida(int tecla, int tipo);
void Pitido();  // the system's beep for a refused key
qint16 SeparadorDecimal();
int CodigoTipoPrescripcion(const QString& nombre);
