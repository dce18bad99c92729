-- TarsaCliente.mdb: the tables of the delivered database. The client only reads and writes rows;
-- it never creates or alters a table. Text widths are generous: SQLite does not enforce them, and
-- the catalog files of the terminal deliver at most 100 characters in any field.
-- The unique keys make the engine refuse a duplicate row, which the client counts as 0 rows affected.
-- Text keys compare without regard to letter case (COLLATE NOCASE), as the client's look-ups always
-- did: "j45.0" finds the diagnosis "J45.0". A database made from an earlier schema is brought to
-- this one when the client connects (modBaseLocal, ActualizarEsquema).

-- Before the first table: pages that deletes free stay in the file until the start-up compaction
-- gives them back by moving the last pages into the holes, without rewriting every row.
PRAGMA auto_vacuum = INCREMENTAL;

CREATE TABLE Empresas (
    IdEmpresa   INTEGER NOT NULL PRIMARY KEY,
    Nombre      VARCHAR(100),
    CodigoQuelo VARCHAR(10) COLLATE NOCASE
);

CREATE TABLE Actividades (
    IdEmpresa   SMALLINT NOT NULL,
    IdActividad SMALLINT NOT NULL,
    Nombre      VARCHAR(100),
    Tipo        VARCHAR(2),
    CodigoQuelo VARCHAR(10),
    PRIMARY KEY (IdEmpresa, IdActividad)
);
CREATE INDEX ixActividadesIdActividad ON Actividades (IdActividad);

CREATE TABLE Prestadores (
    Codigo           VARCHAR(20) NOT NULL COLLATE NOCASE PRIMARY KEY,
    Nombre           VARCHAR(100),
    Tipo             VARCHAR(2),
    LicenciaQuelo    VARCHAR(20) COLLATE NOCASE,
    Matricula        INTEGER,
    CadenaSucursales SMALLINT NOT NULL DEFAULT 0
);
CREATE INDEX ixPrestadoresLicenciaQuelo ON Prestadores (LicenciaQuelo);

CREATE TABLE PrestadorActividad (
    Codigo      VARCHAR(20) NOT NULL COLLATE NOCASE,
    IdEmpresa   SMALLINT NOT NULL,
    IdActividad SMALLINT NOT NULL,
    PRIMARY KEY (Codigo, IdEmpresa, IdActividad)
);

CREATE TABLE Planes (
    IdEmpresa           SMALLINT NOT NULL,
    Codigo              VARCHAR(20) NOT NULL COLLATE NOCASE,
    PorcentajeCobertura DOUBLE,
    PlanCobertura       VARCHAR(20) NOT NULL DEFAULT '' COLLATE NOCASE,
    Baja                SMALLINT NOT NULL DEFAULT 0,
    PRIMARY KEY (IdEmpresa, Codigo, PlanCobertura)
);

CREATE TABLE Practicas (
    IdEmpresa        SMALLINT NOT NULL,
    Licencia         VARCHAR(20) NOT NULL COLLATE NOCASE,
    TipoPractica     VARCHAR(10) NOT NULL DEFAULT '' COLLATE NOCASE,
    Codigo           VARCHAR(20) NOT NULL COLLATE NOCASE,
    Nombre           VARCHAR(100),
    ValorNomenclador DOUBLE,
    Baja             SMALLINT NOT NULL DEFAULT 0,
    PRIMARY KEY (IdEmpresa, Licencia, Codigo, TipoPractica)
);

CREATE TABLE Diagnosticos (
    IdEmpresa SMALLINT NOT NULL,
    Codigo    VARCHAR(20) NOT NULL COLLATE NOCASE PRIMARY KEY,
    Nombre    VARCHAR(100),
    Baja      SMALLINT NOT NULL DEFAULT 0
);
CREATE INDEX ixDiagnosticosIdEmpresa ON Diagnosticos (IdEmpresa);
CREATE INDEX ixDiagnosticosNombre ON Diagnosticos (Nombre);

CREATE TABLE Medicamentos (
    IdEmpresa       SMALLINT NOT NULL,
    Troquel         INTEGER NOT NULL PRIMARY KEY,
    CodigoBarra     VARCHAR(20) COLLATE NOCASE,
    Nombre          VARCHAR(100),
    Presentacion    VARCHAR(100),
    Precio          DOUBLE,
    TipoMedicamento SMALLINT,
    CodProveedor    DOUBLE,
    Baja            SMALLINT NOT NULL DEFAULT 0
);
CREATE INDEX ixMedicamentosCodigoBarra ON Medicamentos (CodigoBarra);
CREATE INDEX ixMedicamentosNombre ON Medicamentos (Nombre);
CREATE INDEX ixMedicamentosBaja ON Medicamentos (Baja);

CREATE TABLE Medicos (
    IdEmpresa      SMALLINT NOT NULL,
    Matricula      INTEGER NOT NULL,
    TipoMatricula  VARCHAR(2) NOT NULL COLLATE NOCASE,
    ApellidoNombre VARCHAR(100),
    Baja           SMALLINT NOT NULL DEFAULT 0,
    PRIMARY KEY (IdEmpresa, Matricula, TipoMatricula)
);
CREATE INDEX ixMedicosMatricula ON Medicos (Matricula, TipoMatricula);
CREATE INDEX ixMedicosApellidoNombre ON Medicos (ApellidoNombre);
CREATE INDEX ixMedicosBaja ON Medicos (Baja);

CREATE TABLE Bitmaps (
    Empresa   VARCHAR(10) NOT NULL COLLATE NOCASE,
    Actividad VARCHAR(10) NOT NULL COLLATE NOCASE,
    Operacion SMALLINT NOT NULL,
    Archivo   VARCHAR(10) NOT NULL COLLATE NOCASE,
    Parametro VARCHAR(255),
    PRIMARY KEY (Empresa, Actividad, Operacion, Archivo)
);

CREATE TABLE Transaccion (
    Operacion               VARCHAR(2),
    Tarjeta                 VARCHAR(100),
    TipoLectura             VARCHAR(1),
    Prestador               VARCHAR(11),
    PrestadorSolicitante    VARCHAR(11),
    TicketPadre             DOUBLE,
    FechaPrestacion         VARCHAR(8),
    HoraPrestacion          VARCHAR(4),
    TipoMatriculaMPractica  VARCHAR(2),
    MatriculaMedicoPractica VARCHAR(6),
    CodigoAutorizacion      INTEGER,
    NumeroAutorizacion      VARCHAR(12),
    Ticket                  DOUBLE,
    Fecha                   VARCHAR(8),
    Hora                    VARCHAR(4),
    PlanAsociado            VARCHAR(5),
    TipoAsociado            INTEGER,
    MontoAbonar             DOUBLE,
    Error                   INTEGER,
    Comentario              VARCHAR(40),
    NumeroTrxPrestador      DOUBLE,
    CodigoEmpresa           INTEGER
);
CREATE INDEX ixTransaccionFecha ON Transaccion (Fecha);
CREATE INDEX ixTransaccionTicket ON Transaccion (Ticket);
CREATE INDEX ixTransaccionCodigoEmpresa ON Transaccion (CodigoEmpresa);
