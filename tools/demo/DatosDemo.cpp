#include "DatosDemo.h"

namespace Demo {

// The tables keep one row a line.
// clang-format off
const QList<EmpresaActividad>& Configuracion() {
    static const QList<EmpresaActividad> registros = {
        {"11", "OSDE", "01", "FARMACIA"},
        {"14", "PAMI - INSSJP", "01", "FARMACIA"},
        {"14", "PAMI - INSSJP", "13", "FARMACIA ONCOLÓGICA"},
        {"23", "IOMA", "01", "FARMACIA"},
        // The terminal's own entry for catalog updates; the client leaves it out of its catalogs.
        {"99", "TERMINAL", "92", "NOMENCLADORES"},
    };
    return registros;
}

const QList<Medicamento>& Medicamentos() {
    static const QList<Medicamento> lista = {
        {3716506, "7795000124711", "AMOXIDAL 500 MG", "comp. x 16", 1523000, 1, 1020},
        {4312019, "7795000107912", "AMOXIDAL 1 G", "comp. x 16", 2398050, 1, 1020},
        {1607639, "7795000187792", "AMOXIDAL 250 MG/5 ML", "susp. x 90 ml", 1187500, 1, 1020},
        {1789620, "7795000159911", "AMOXIDAL DUO 875 MG", "comp. rec. x 14", 2865000, 1, 1020},
        {5888780, "7795123409504", "AMOXICILINA FABRA 500 MG", "caps. x 16", 986000, 2, 1187},
        {5256679, "7795432135170", "AMOXI-CLAVULANICO DENVER 875/125", "comp. x 14", 2210075, 2, 1045},
        {1314536, "7795234514081", "IBUPIRAC 400 MG", "comp. x 20", 645000, 1, 1310},
        {4637683, "7795234568510", "IBUPIRAC 600 MG", "comp. x 20", 812550, 1, 1310},
        {1585989, "7795345639437", "TAFIROL 500 MG", "comp. x 24", 389000, 1, 1402},
        {1760955, "7795345690285", "TAFIROL 1 G", "comp. x 20", 571000, 1, 1402},
        {4561125, "7795678909689", "BUSCAPINA COMPOSITUM", "comp. x 20", 1045000, 1, 1633},
        {5743369, "7795000120287", "SERTAL COMPUESTO", "comp. x 20", 932000, 1, 1020},
        {2872664, "7795678995514", "ACTRON 400", "caps. blandas x 20", 778000, 1, 1633},
        {1518936, "7795000194554", "LOTRIAL 10 MG", "comp. x 30", 1376000, 1, 1020},
        {5911877, "7795000164991", "LOSACOR 50 MG", "comp. rec. x 30", 1689050, 1, 1020},
        {1415985, "7795567836225", "ATENOLOL GADOR 50 MG", "comp. x 30", 721000, 2, 1251},
        {1390763, "7795789091204", "GLUCOPHAGE 850 MG", "comp. x 60", 1254000, 1, 1718},
        {2117151, "7795890147449", "OMEPRAZOL RICHET 20 MG", "caps. x 28", 894000, 2, 1805},
        {4515993, "7795901223636", "RIVOTRIL 2 MG", "comp. x 30", 1612000, 1, 1922},
        {5535601, "7795567819297", "ALPLAX 0,5 MG", "comp. x 30", 1398000, 1, 1251},
        {5789171, "7795789050546", "EUTIROX 100 MCG", "comp. x 50", 1102000, 1, 1718},
        {5699778, "7795012329616", "ZARATOR 20 MG", "comp. rec. x 30", 3154000, 1, 1066},
        {1864493, "7795023495287", "VENTOLIN 100 MCG", "aerosol x 200 dosis", 1466000, 1, 1077},
        {5791609, "7795034530786", "KLARICID 500 MG", "comp. rec. x 14", 4287000, 1, 1088},
        {4123897, "7795678915963", "ASPIRINA PREVENT 100 MG", "comp. x 30", 452000, 1, 1633},
        {5594813, "7795045610286", "VOLTAREN 50 MG", "comp. x 20", 1034000, 1, 1099},
        {5734264, "7795056709764", "NOVALGINA 500 MG", "comp. x 10", 498050, 1, 1133},
        {6192628, "7795067833748", "CLARITYNE 10 MG", "comp. x 10", 876000, 1, 1144},
        {5164226, "7795067887116", "AERIUS 5 MG", "comp. rec. x 10", 1322000, 1, 1144},
        {4586904, "7795045651463", "SINTROM 4 MG", "comp. x 20", 1189000, 1, 1099},
        {4905751, "7795078995930", "LANTUS SOLOSTAR 100 UI/ML", "lapicera x 3 ml x 5", 18450000, 3, 1155},
        {4801586, "7795432159244", "METFORMINA DENVER 500 MG", "comp. x 60", 689000, 2, 1045},
    };
    return lista;
}

const QList<Medico>& Medicos() {
    static const QList<Medico> lista = {
        {11, 45213, "B1", "FERNANDEZ, MARIA LAURA"},
        {11, 112874, "11", "GOMEZ, JUAN PABLO"},
        {11, 30981, "B1", "RODRIGUEZ, ANA BEATRIZ"},
        {11, 8842, "B2", "SOSA, CARLOS ALBERTO (ODONT.)"},
        {14, 51007, "B1", "LOPEZ, SILVIA NOEMI"},
        {14, 98120, "11", "MARTINEZ, JORGE LUIS"},
        {14, 27455, "S1", "ACOSTA, GRACIELA"},
        {14, 14230, "B1", "PEREYRA, RICARDO ANIBAL"},
        {23, 60315, "B1", "DIAZ, LUCIANA SOLEDAD"},
        {23, 73402, "B1", "ROMERO, PABLO ANDRES"},
        {23, 19876, "X1", "BENITEZ, MONICA ALEJANDRA"},
        {23, 5521, "B2", "MOLINA, HECTOR DANIEL (ODONT.)"},
    };
    return lista;
}

const QList<Diagnostico>& Diagnosticos() {
    static const QList<Diagnostico> lista = {
        {"E03.9", "HIPOTIROIDISMO NO ESPECIFICADO"},
        {"E11.9", "DIABETES MELLITUS TIPO 2 SIN COMPLICACIONES"},
        {"E78.0", "HIPERCOLESTEROLEMIA PURA"},
        {"F41.1", "TRASTORNO DE ANSIEDAD GENERALIZADA"},
        {"G43.9", "MIGRAÑA NO ESPECIFICADA"},
        {"H66.9", "OTITIS MEDIA NO ESPECIFICADA"},
        {"I10", "HIPERTENSIÓN ESENCIAL (PRIMARIA)"},
        {"J01.9", "SINUSITIS AGUDA NO ESPECIFICADA"},
        {"J02.9", "FARINGITIS AGUDA NO ESPECIFICADA"},
        {"J20.9", "BRONQUITIS AGUDA NO ESPECIFICADA"},
        {"J45.0", "ASMA PREDOMINANTEMENTE ALÉRGICA"},
        {"K21.9", "ENFERMEDAD DEL REFLUJO GASTROESOFÁGICO"},
        {"K29.7", "GASTRITIS NO ESPECIFICADA"},
        {"M54.5", "LUMBAGO NO ESPECIFICADO"},
        {"N39.0", "INFECCIÓN DE VÍAS URINARIAS"},
        {"L20.9", "DERMATITIS ATÓPICA NO ESPECIFICADA"},
    };
    return lista;
}

const QList<Plan>& Planes() {
    static const QList<Plan> lista = {
        {11, "210", 4000}, {11, "310", 5000}, {11, "410", 6000}, {11, "CRONICO", 7000},
        {14, "AMB", 5000}, {14, "CRONICO", 8000}, {14, "ONCO", 10000},
        {23, "PMO", 4000}, {23, "CRONICO", 7000}, {23, "MATERNO", 10000},
    };
    return lista;
}

// clang-format on

QList<Mascara> Mascaras(const QString& codigoEmpresa) {
    // Header: 1 operation, 2 card, 3 reading, 4 pharmacy, 5 earlier ticket, 6 prescription type,
    // 7 prescription, 8 prescription date, 10 sale date, 12-13 document of who collects,
    // 15-16 prescribing doctor, 19-20 authorisation type and number, 33 diagnoses.
    // Items: 1 troquel, 2 bar code, 4 quantity, 6 price, 7 diagnosis, 8 coverage type,
    // 9 authorisation, 12 plan, 13 prescription type, 15 coverage percentage.
    Mascara consumo{1, {1, 2, 3, 4, 6, 7, 8, 10, 15, 16}, {1, 2, 4, 6, 8, 9, 12, 13, 15}};
    if (codigoEmpresa == "14") consumo.cabecera << 12 << 13;  // PAMI asks who collects the medication
    if (codigoEmpresa == "23") {                              // IOMA asks for the diagnoses
        consumo.cabecera << 33;
        consumo.items << 7;
    }
    return {
        consumo,
        {2, {1, 2, 3, 4, 5}, {}},                // cancellation of a whole ticket
        {3, {1, 2, 3, 4, 5, 10}, {1, 2, 4, 6}},  // return of some items
        {4, {1, 2, 3, 5}, {}},                   // query of a ticket
        {41, {1, 2, 3}, {}},                     // beneficiary check
        // deferred authorisation: the prescription, its doctor and the authorisation to defer
        {5, {1, 2, 3, 4, 6, 7, 8, 15, 16, 19, 20}, {1, 2, 4, 6, 13}},
    };
}

}  // namespace Demo
